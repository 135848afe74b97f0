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

} // namespace

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
