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

namespace {

// Runs frames of `dt` until `atFrame`, applies the input there, and runs frames until the loop
// stops; returns how many frames ran after the input (the frame of the input included).
int framesAfterInput(sf::RenderTexture& window, float dt, int atFrame, bool escape, bool close)
{
    for (int frame = 0; frame < atFrame; ++frame) {
        game().applyInput(false, false);
        game().frame(dt, window);
    }
    game().applyInput(escape, close);
    int after = 0;
    while (game().running && after < 100) {
        game().frame(dt, window);
        ++after;
    }
    game().frame(dt, window);
    return after + 1;
}

} // namespace

TEST_F(FrameLoop, EscapeOnTheFirstFrameEndsAfterThatFrame)
{
    EXPECT_EQ(framesAfterInput(window, 0.05f, 0, true, false), 1);
    EXPECT_FALSE(game().running);
    EXPECT_GT(game().shaderTime, 0.0f) << "the frame that saw the key still ran";
}

TEST_F(FrameLoop, CloseDuringTheLeadInHandOverStillCompletesThatFrame)
{
    // Frame 6 at 0.5 s is the one that hands over to the opening scene.
    EXPECT_EQ(framesAfterInput(window, 0.5f, 5, false, true), 1);
    EXPECT_EQ(game().sceneId, 0) << "the hand-over of the last frame is kept";
    EXPECT_FALSE(game().running);
}

TEST_F(FrameLoop, InputDuringTheCreditsFadeAndTheirLastFramesEndsAfterThatFrame)
{
    game().sceneId = 6;
    EXPECT_EQ(framesAfterInput(window, 0.5f, 2, true, true), 1) << "during the credits' fade-in";
    EXPECT_TRUE(screenFade().tween.active);
}

TEST_F(FrameLoop, CloseOnTheFrameAfterTheCreditsReturn666EndsLikeTheQuit)
{
    game().sceneId = 6;
    for (int frame = 0; frame < 42; ++frame)
        game().frame(0.5f, window);
    ASSERT_EQ(game().sceneId, 666);
    game().applyInput(false, true);
    game().frame(0.5f, window);
    EXPECT_FALSE(game().running);
}
