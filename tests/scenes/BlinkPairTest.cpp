#include "scenes/BlinkPair.hpp"

#include <gtest/gtest.h>

#include <vector>

namespace {
// The frames (counted from 1) on which a blink begins, over `frames` frames of dt.
std::vector<int> blinkStarts(BlinkPair& pair, float dt, int frames)
{
    std::vector<int> starts;
    int previous = 0;
    for (int n = 1; n <= frames; ++n) {
        const int shown = pair.step(dt);
        if (shown == 1 && previous == 0)
            starts.push_back(n);
        previous = shown;
    }
    return starts;
}
}

TEST(BlinkPair, WaitsTwoThenTwiceATenthThenFourThenOneAndStartsOver)
{
    // With 1/8 s frames every wait ends exactly on a frame edge, and "strictly longer than
    // the wait" costs one more frame: 2.0 s is 16 frames, so the first blink is frame 17.
    // A blink (0.15 s) shows on two frames, the third shows frame 0 and does not count as
    // waiting; then 0.1 s (one frame, 0.125 > 0.1), again, 4.0 s, 1.0 s and 2.0 s again.
    BlinkPair pair;
    EXPECT_EQ(blinkStarts(pair, 0.125f, 90), (std::vector<int>{17, 20, 23, 58, 69, 88}));
    EXPECT_EQ(pair.waitIndex(), 1u);
}

TEST(BlinkPair, ShowsTheBlinkFrameForItsLengthOnly)
{
    BlinkPair pair;
    EXPECT_EQ(pair.step(2.0f), 0);   // exactly the wait: not yet
    EXPECT_EQ(pair.step(0.01f), 1);  // past it: the blink begins on this frame
    EXPECT_EQ(pair.step(0.1f), 1);   // 0.05 s of the blink left
    EXPECT_EQ(pair.step(0.1f), 0);   // ran out: frame 0, and the next wait starts
}

TEST(BlinkPair, BlinkEndingExactlyOnAFrameShowsFrameZeroThere)
{
    BlinkPair pair;
    ASSERT_EQ(pair.step(2.5f), 1);
    EXPECT_EQ(pair.step(BlinkPair::kBlinkLength), 0);
}

TEST(BlinkPair, LongFrameGivesOneBlinkAndTheNextWaitStartsFromZero)
{
    BlinkPair pair;
    EXPECT_EQ(pair.step(10.0f), 1);  // far past the 2 s wait: still one blink
    EXPECT_EQ(pair.waitIndex(), 1u);
    EXPECT_EQ(pair.step(10.0f), 0);  // the blink ends
    // The 9.85 s left over are dropped: the 0.1 s wait has to pass in full.
    EXPECT_EQ(pair.step(0.05f), 0);
    EXPECT_EQ(pair.step(0.06f), 1);
    EXPECT_EQ(pair.waitIndex(), 2u);
}
