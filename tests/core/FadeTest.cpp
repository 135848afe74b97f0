#include "core/ScreenFade.hpp"

#include <gtest/gtest.h>

TEST(ScreenFade, FadeInShowsInItsFirstFrameMovesFromTheNextAndEndsWithNoOverlayForGood)
{
    ScreenFade fade;
    fade.update(0.5f);
    EXPECT_FALSE(fade.overlayVisible()) << "never started";
    fade.fadeIn(2.0f);
    EXPECT_TRUE(fade.overlayVisible());
    EXPECT_EQ(fade.alpha, 0.0f) << "the frame that starts the fade draws the alpha of before";
    fade.update(0.5f);
    EXPECT_GT(fade.alpha, 0.5f);
    EXPECT_LT(fade.alpha, 1.0f);
    fade.update(1.5f);
    EXPECT_EQ(fade.alpha, 0.0f);
    fade.update(5.0f);
    EXPECT_FALSE(fade.overlayVisible());
}

TEST(ScreenFade, FadeOutRestartsFromClearAndStaysBlackUntilTheNextFadeIn)
{
    for (const float duration : {2.0f, 0.0f}) {
        ScreenFade fade;
        fade.fadeIn(2.0f);
        fade.update(1.0f);
        ASSERT_GT(fade.alpha, 0.2f);
        fade.fadeOut(duration);
        fade.update(0.01f);
        EXPECT_TRUE(duration == 0.0f || fade.alpha < 0.02f) << "a fade-out cut into a fade-in starts from clear";
        for (int i = 0; i < 10; ++i)
            fade.update(1.0f);
        EXPECT_TRUE(fade.overlayVisible());
        EXPECT_EQ(fade.alpha, 1.0f);
        fade.fadeIn(2.0f);
        fade.update(2.0f);
        EXPECT_FALSE(fade.overlayVisible());
    }
}
