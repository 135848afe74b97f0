#include "SceneFixture.hpp"

#include "scenes/OpeningScene.hpp"
#include "scenes/TextScript.hpp"

#include <gtest/gtest.h>

namespace {
constexpr float kDt = 0.05f;

// Runs the scene for `seconds` of 1/20 s frames.
void run(OpeningScene& scene, float seconds)
{
    const int frames = static_cast<int>(seconds / kDt + 0.5f);
    for (int n = 0; n < frames; ++n)
        scene.frame(kDt);
}
}

TEST(OpeningScene, FirstFrameShowsTheFirstCloseUpWithAnInvisibleLogoAndStartsThePoem)
{
    SceneFixture fixture;
    OpeningScene scene(fixture.context());
    textStartFlag() = false;

    EXPECT_EQ(scene.frame(kDt), OpeningScene::kId);
    EXPECT_TRUE(textStartFlag());
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("closeup1_0"));
    EXPECT_EQ(fixture.sprite("zelt").getColor().a, 0);
    EXPECT_EQ(fixture.sprite("drennmoor").getColor().a, 0);
    EXPECT_EQ(fixture.sprite("zelt").getScale(), sf::Vector2f(0.6f, 0.6f));
    EXPECT_EQ(fixture.sprite("zelt").getPosition(), sf::Vector2f(992.0f, 565.0f));
}

TEST(OpeningScene, LogoAndTitleFadeInAndOutOnTheirOwnClocks)
{
    SceneFixture fixture;
    OpeningScene scene(fixture.context());
    run(scene, 2.0f);  // the logo has faded in for about 1 s of its 2
    EXPECT_NEAR(scene.logoAlpha(), 0.5f, 0.05f);
    run(scene, 2.0f);
    EXPECT_FLOAT_EQ(scene.logoAlpha(), 1.0f);
    run(scene, 5.0f);  // T 9: logo gone, title fully in and covering the picture
    EXPECT_FLOAT_EQ(scene.logoAlpha(), 0.0f);
    EXPECT_FLOAT_EQ(scene.titleAlpha(), 1.0f);
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("drennmoor"));
    run(scene, 4.9f);  // T 13.9: the title's half-second fade-out is over
    EXPECT_FLOAT_EQ(scene.titleAlpha(), 0.0f);
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("closeup1_0"));
}

TEST(OpeningScene, ShowsTheSecondCloseUpThenTheHouseThenTheThirdWithItsDrift)
{
    SceneFixture fixture;
    OpeningScene scene(fixture.context());
    run(scene, 15.5f);
    EXPECT_EQ(scene.shownPicture(), OpeningScene::FirstCloseUp);
    run(scene, 1.0f);  // T 16.5
    EXPECT_EQ(scene.shownPicture(), OpeningScene::SecondCloseUp);
    run(scene, 5.0f);  // T 21.5
    EXPECT_EQ(scene.shownPicture(), OpeningScene::House);
    EXPECT_EQ(scene.driftX(), 0.0f);
    run(scene, 5.5f);  // T 27: the veil drifts right at 50 pixels a second
    EXPECT_EQ(scene.shownPicture(), OpeningScene::ThirdCloseUp);
    const float driftAt27 = scene.driftX();
    EXPECT_GT(driftAt27, 0.0f);
    run(scene, 1.0f);
    EXPECT_NEAR(scene.driftX() - driftAt27, 50.0f, 0.01f);
    EXPECT_EQ(fixture.sprite("closeup_3").getPosition(), sf::Vector2f(scene.driftX(), 0.0f));
}

TEST(OpeningScene, EachLongFrameMovesOnOneStageAndTheLastHandsOverToTheWalk)
{
    SceneFixture fixture;
    OpeningScene scene(fixture.context());
    // Every stage is shorter than 100 s, yet each frame leaves one stage only.
    for (int stage = 1; stage <= 8; ++stage) {
        EXPECT_EQ(scene.frame(100.0f), OpeningScene::kId);
        EXPECT_EQ(scene.stage(), stage);
    }
    EXPECT_EQ(scene.frame(100.0f), OpeningScene::kNextId);
    EXPECT_EQ(scene.frame(0.01f), OpeningScene::kNextId);
}

TEST(OpeningScene, LastsThirtyTwoSecondsPlusOneFramePerStage)
{
    SceneFixture fixture;
    OpeningScene scene(fixture.context());
    // 1/16 s frames add up exactly: each of the nine stages ends one frame after its
    // threshold, and the timer restarts from 0 every time.
    EXPECT_EQ(framesUntilHandOver(scene, OpeningScene::kId, 0.0625f), 32 * 16 + 9);
}
