#include "core/Easing.hpp"
#include "core/Tween.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <iomanip>

namespace {

struct CurveValues {
    int type;
    std::array<double, 3> atQuarterHalfThreeQuarters;
};

// Each curve at p = 0.25, 0.5, 0.75 for b = 0, c = 1, d = 1, to six decimals.
const CurveValues kTable[] = {
    {Linear, {0.25, 0.5, 0.75}},
    {SineIn, {0.076120, 0.292893, 0.617317}},
    {SineOut, {0.382683, 0.707107, 0.923880}},
    {SineInOut, {0.146447, 0.5, 0.853553}},
    {CubicIn, {0.015625, 0.125, 0.421875}},
    {CubicOut, {0.578125, 0.875, 0.984375}},
    {CubicInOut, {0.0625, 0.5, 0.9375}},
    {BackIn, {-0.064137, -0.087698, 0.182590}},
    {BackOut, {0.817410, 1.087698, 1.064137}},
    {BackInOut, {-0.099682, 0.5, 1.099682}},
    {CircIn, {0.031754, 0.133975, 0.338562}},
    {CircOut, {0.661438, 0.866025, 0.968246}},
    {CircInOut, {0.066987, 0.5, 0.933013}},
    {ExpoIn, {0.005524, 0.03125, 0.176777}},
    {ExpoOut, {0.823223, 0.96875, 0.994476}},
    {ExpoInOut, {0.015625, 0.5, 0.984375}},
    {BounceOut, {0.472656, 0.765625, 0.972656}},
    {BounceIn, {0.027344, 0.234375, 0.527344}},
    {BounceInOut, {0.117188, 0.5, 0.882812}},
};

// A value rounded to six decimals (halves to even), in millionths.
long long millionths(double value)
{
    return std::llrint(value * 1e6);
}

} // namespace

TEST(Easing, EveryCurveMatchesItsTableToSixDecimals)
{
    const float points[] = {0.25f, 0.5f, 0.75f};
    for (const CurveValues& curve : kTable) {
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(millionths(ease(curve.type, points[i], 0.0f, 1.0f, 1.0f)),
                      millionths(curve.atQuarterHalfThreeQuarters[i]))
                << "curve " << curve.type << " at " << points[i];
        }
    }
}

// The exponential curves take their exponent in single precision and sine-in-out forms its
// angle in double before rounding it: these values hold bit for bit.
TEST(Easing, ExponentAndAngleKeepTheirPrecisionBitForBit)
{
    struct Exact {
        int type;
        float t, d, value;
    };
    const Exact cases[] = {{ExpoIn, 0.3f, 1.0f, 0.0078125f},
                           {ExpoIn, 0.7f, 1.0f, 0.125f},
                           {ExpoInOut, 0.15f, 1.0f, 0.00390625f},
                           {SineInOut, 0.7f, 3.0f, 0.128427565f}};
    for (const Exact& exact : cases) {
        const float value = ease(exact.type, exact.t, 0.0f, 1.0f, exact.d);
        EXPECT_EQ(value, exact.value) << "curve " << exact.type << " gives " << std::setprecision(9) << value;
    }
}

TEST(Easing, EveryCurveRunsFromStartToEnd)
{
    for (const CurveValues& curve : kTable) {
        // Only the bounce curves may miss their ends, by single-precision rounding.
        const bool bounce = curve.type == BounceOut || curve.type == BounceIn || curve.type == BounceInOut;
        const float tolerance = bounce ? 1e-6f : 0.0f;
        EXPECT_NEAR(ease(curve.type, 0.0f, 3.0f, 5.0f, 2.0f), 3.0f, tolerance) << "curve " << curve.type;
        EXPECT_NEAR(ease(curve.type, 2.0f, 3.0f, 5.0f, 2.0f), 8.0f, tolerance) << "curve " << curve.type;
    }
}

TEST(Easing, IdsOutsideTheTableReturnTheStartValue)
{
    EXPECT_FALSE(isValidEaseType(17));
    EXPECT_FALSE(isValidEaseType(-1));
    EXPECT_TRUE(isValidEaseType(111));
    EXPECT_TRUE(isValidEaseType(112));
    EXPECT_EQ(ease(17, 0.5f, 4.0f, 1.0f, 1.0f), 4.0f);
    EXPECT_EQ(ease(113, 0.5f, 4.0f, 1.0f, 1.0f), 4.0f);
}

TEST(Tween, DelayCountsDownAndClampsBeforeElapsedGrows)
{
    Tween tween;
    tween.start(0.0f, 10.0f, 1.0f, Linear, 0.5f);
    tween.update(0.3f);
    EXPECT_FLOAT_EQ(tween.delay, 0.2f);
    EXPECT_FLOAT_EQ(tween.elapsed, 0.0f);
    EXPECT_FLOAT_EQ(tween.current, 0.0f);
    tween.update(0.3f);
    EXPECT_EQ(tween.delay, 0.0f) << "the delay is clamped at 0, not -0.1";
    EXPECT_FLOAT_EQ(tween.elapsed, 0.0f) << "the rest of the frame is dropped";
    tween.update(0.3f);
    EXPECT_FLOAT_EQ(tween.elapsed, 0.3f);
    EXPECT_FLOAT_EQ(tween.current, 3.0f);
}

TEST(Tween, FinishesExactlyAtItsEndPassingOvershootOnAndRewindsWithoutStarting)
{
    Tween tween;
    tween.start(0.0f, 100.0f, 1.0f, BackOut, 0.0f);
    float highest = 0.0f;
    for (int frame = 0; frame < 9; ++frame) {
        tween.update(0.1f);
        highest = std::max(highest, tween.current);
    }
    EXPECT_TRUE(tween.active);
    EXPECT_GT(highest, 105.0f) << "back-out overshoots about 10 % unclamped";
    tween.update(0.2f);
    EXPECT_FALSE(tween.active);
    EXPECT_EQ(tween.current, 100.0f);
    tween.update(0.1f);
    EXPECT_EQ(tween.current, 100.0f) << "an inactive tween keeps its value";

    tween.set(5.0f, 1.0f, 2.0f, Linear, 0.0f);
    tween.update(1.0f);
    EXPECT_EQ(tween.current, 5.0f) << "set alone does not start it";
    tween.play();
    tween.update(1.0f);
    EXPECT_FLOAT_EQ(tween.current, 3.0f);

    tween.start(2.0f, 7.0f, 0.0f, CircOut, 0.0f);
    tween.update(0.016f);
    EXPECT_FALSE(tween.active);
    EXPECT_EQ(tween.current, 7.0f) << "no duration: its end at the first update";
}
