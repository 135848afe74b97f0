#include "core/ScreenFade.hpp"

#include <gtest/gtest.h>

#include <cmath>

TEST(ScreenFade, NeverStartedDrawsNoOverlay)
{
    ScreenFade fade;
    fade.update(0.5f);
    EXPECT_FALSE(fade.overlayVisible());
    EXPECT_EQ(fade.alpha, 0.0f);
}

TEST(ScreenFade, NewFadeShowsInItsFrameButChangesAlphaOnlyFromTheNextUpdate)
{
    ScreenFade fade;
    fade.fadeIn(2.0f);
    // The frame that starts the fade draws the overlay with the alpha of before.
    EXPECT_TRUE(fade.overlayVisible());
    EXPECT_EQ(fade.alpha, 0.0f);
    // The next frame already includes one frame of progress.
    fade.update(0.5f);
    EXPECT_NEAR(fade.alpha, 1.0f - std::sin(0.25f * 3.14159265f / 2.0f), 1e-5);
}

TEST(ScreenFade, FadeInEndsWithNoOverlayForGood)
{
    ScreenFade fade;
    fade.fadeIn(2.0f);
    for (int i = 0; i < 20; ++i)
        fade.update(0.1f);
    fade.update(0.1f);
    EXPECT_EQ(fade.alpha, 0.0f);
    EXPECT_FALSE(fade.overlayVisible());
    fade.update(5.0f);
    EXPECT_FALSE(fade.overlayVisible());
}

TEST(FadeOut, LeavesScreenBlackUntilNextFadeIn)
{
    ScreenFade fade;
    fade.fadeOut(2.0f);
    fade.update(1.0f);
    EXPECT_NEAR(fade.alpha, std::sin(0.5f * 3.14159265f / 2.0f), 1e-5) << "rises fast, settles gently";
    fade.update(1.0f);
    EXPECT_EQ(fade.alpha, 1.0f);
    for (int i = 0; i < 10; ++i)
        fade.update(1.0f);
    EXPECT_TRUE(fade.overlayVisible());
    EXPECT_EQ(fade.alpha, 1.0f);

    fade.fadeIn(2.0f);
    fade.update(2.0f);
    EXPECT_FALSE(fade.overlayVisible());
}

TEST(FadeOut, RestartsFromTransparentWhenAFadeInIsHalfDone)
{
    ScreenFade fade;
    fade.fadeIn(2.0f);
    fade.update(1.0f);
    ASSERT_GT(fade.alpha, 0.2f);
    fade.fadeOut(2.0f);
    fade.update(0.01f);
    EXPECT_LT(fade.alpha, 0.02f);
}

TEST(ScreenFade, ZeroDurationEndsAtOnce)
{
    ScreenFade fade;
    fade.fadeOut(0.0f);
    fade.update(0.016f);
    EXPECT_EQ(fade.alpha, 1.0f);
    EXPECT_FALSE(fade.tween.active);
    EXPECT_TRUE(fade.overlayVisible());
}
