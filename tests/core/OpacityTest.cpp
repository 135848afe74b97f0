#include "core/Opacity.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

// The alpha byte of an opacity: truncated, kept to its low 8 bits (so an overshoot wraps round,
// as an easing curve's bounce past 1 shows), and 0 for what no int can hold.
TEST(Opacity, TruncatesWrapsPastOneAndGivesZeroForWhatHasNoByte)
{
    const struct {
        float alpha;
        int byte;
    } cases[] = {
        {0.0f, 0},     {1.0f, 255},    {0.5f, 127},   // 127.5 truncated
        {1.05f, 11},   {1.5f, 126},    {2.0f, 254},   // 267.75, 382.5 and 510 wrap past 255
        {-0.001f, 0},  {-0.1f, 231},   {-1.0f, 1},    // toward zero: -0.255 is 0; -25 and -255 wrap
        {1e10f, 0},    {-1e10f, 0},    {std::numeric_limits<float>::infinity(), 0},
        {std::nanf(""), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(alphaByte(c.alpha), c.byte) << "opacity " << c.alpha;
}
