#include "assets/SpriteManager.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"
#include "core/ScreenFade.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

// These run the real frame function on the staged game folder. Each test is its own process,
// so the process-wide game starts fresh every time.
namespace {

class FrameLoop : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(game().loadContent());
        ASSERT_TRUE(window.create(kScreenWidth, kScreenHeight));
    }

    // Runs frames of `dt` until the loop stops or `limit` frames have run; returns the count.
    int runUntilStopped(float dt, int limit)
    {
        int frames = 0;
        while (game().running && frames < limit) {
            game().frame(dt, window);
            ++frames;
        }
        return frames;
    }

    sf::RenderTexture window;
};

sf::Color centreOf(const sf::RenderTexture& target)
{
    const sf::Image image = target.getTexture().copyToImage();
    return image.getPixel(kScreenWidth / 2, kScreenHeight / 2);
}

} // namespace

TEST_F(FrameLoop, LeadInHandsOverOnTheFirstFrameBeyondTwoAndAHalfSeconds)
{
    for (int frame = 1; frame <= 5; ++frame) {
        game().frame(0.5f, window);
        EXPECT_EQ(game().sceneId, -1) << "frame " << frame << " (2.5 s is not beyond 2.5 s)";
    }
    game().frame(0.5f, window);
    EXPECT_EQ(game().sceneId, 0);
}

TEST_F(FrameLoop, CreditsShowSixteenSecondsFadeAndQuitOneFrameAfterReturning666)
{
    game().sceneId = 6;
    game().frame(0.5f, window);
    EXPECT_TRUE(screenFade().tween.active) << "the credits fade in on their first frame";
    EXPECT_EQ(screenFade().direction, FadeDirection::In);

    // 16.5 s into the credits the fade-out starts, 4.5 s later they return 666.
    for (int frame = 2; frame <= 33; ++frame)
        game().frame(0.5f, window);
    EXPECT_EQ(screenFade().direction, FadeDirection::Out);
    EXPECT_EQ(game().credits.stage, 1);
    for (int frame = 34; frame <= 41; ++frame) {
        game().frame(0.5f, window);
        EXPECT_EQ(game().sceneId, 6) << "frame " << frame;
    }
    game().frame(0.5f, window);
    EXPECT_EQ(game().sceneId, 666);
    EXPECT_TRUE(game().running);

    // Exactly one more frame runs: the switch draws nothing, the finished fade-out covers it.
    game().frame(0.5f, window);
    EXPECT_FALSE(game().running);
    EXPECT_EQ(screenFade().alpha, 1.0f);
    const sf::Color centre = centreOf(window);
    EXPECT_LT(centre.r + centre.g + centre.b, 30);
}

TEST_F(FrameLoop, AnIdWithoutASceneDrawsNothingAndWaits)
{
    game().sceneId = 77;
    EXPECT_EQ(runUntilStopped(0.25f, 40), 40);
    EXPECT_EQ(game().sceneId, 77);
    EXPECT_TRUE(game().running);
}

TEST_F(FrameLoop, ShaderTimeIsTheSumOfEveryFrameTime)
{
    game().frame(0.25f, window);
    game().frame(3.0f, window);
    EXPECT_FLOAT_EQ(game().shaderTime, 3.25f);
}

TEST(LoopScenes, MissingBlackAndCreditsSkipTheirDrawingWithoutCrashing)
{
    // Nothing is loaded: every look-up finds nothing.
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    BlackLeadIn leadIn;
    EXPECT_EQ(leadIn.frame(1.0f, target), -1);
    EXPECT_EQ(leadIn.frame(2.0f, target), 0);
    Credits credits;
    EXPECT_EQ(credits.frame(17.0f, target), 6);
    EXPECT_EQ(credits.frame(5.0f, target), 666);
    ScreenFade fade;
    fade.fadeOut(1.0f);
    fade.update(1.0f);
    fade.drawOverlay(target);  // no sprite: nothing drawn, no crash
}
