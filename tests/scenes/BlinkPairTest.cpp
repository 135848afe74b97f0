#include "scenes/BlinkPair.hpp"

#include <gtest/gtest.h>

// After a hitch the picture blinks once, not in a burst: a long frame ends one wait only.
TEST(BlinkPair, ALongFrameGivesOneBlinkAndDropsWhatIsLeftOver)
{
    BlinkPair pair;
    EXPECT_EQ(pair.step(10.0f), 1);
    EXPECT_EQ(pair.step(10.0f), 0);
    EXPECT_EQ(pair.step(0.05f), 0) << "the next wait starts from 0";
}
