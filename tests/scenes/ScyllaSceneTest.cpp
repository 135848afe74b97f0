#include "SceneFixture.hpp"

#include "scenes/CogScene.hpp"
#include "scenes/ScyllaScene.hpp"

#include <gtest/gtest.h>

#include <cmath>

TEST(ScyllaScene, FirstFrameCoversThePictureInWhiteLessOneFrame)
{
    SceneFixture fixture;
    ScyllaScene scene(fixture.context());
    scene.frame(0.1f);
    EXPECT_EQ(fixture.sprite("white").getColor().a, static_cast<sf::Uint8>((1.0f - 0.1f) * 255.0f));
    EXPECT_EQ(fixture.sprite("scylla_1").getPosition(), sf::Vector2f(0.0f, -840.0f));
    EXPECT_EQ(fixture.sprite("scylla_2").getPosition(), sf::Vector2f(0.0f, -564.0f));
    scene.frame(1.0f);
    EXPECT_EQ(fixture.sprite("white").getColor().a, 0);
}

TEST(ScyllaScene, LayersNeverGoBelowTheTopOfThePicture)
{
    SceneFixture fixture;
    ScyllaScene scene(fixture.context());
    const float frameTimes[] = {0.5f, 30.0f, 0.5f, 5.0f, 0.1f};
    for (float dt : frameTimes) {
        scene.frame(dt);
        EXPECT_LE(scene.layer1Y(), 0.0f);
        EXPECT_LE(scene.layer2Y(), 0.0f);
        EXPECT_LE(fixture.sprite("scylla_1").getPosition().y, 0.0f);
        EXPECT_LE(fixture.sprite("scylla_2").getPosition().y, 0.0f);
    }
    EXPECT_EQ(scene.layer1Y(), 0.0f);
}

TEST(ScyllaScene, SprayOpacityDependsOnTheFrameTimeOnly)
{
    SceneFixture fixture;
    ScyllaScene scene(fixture.context());
    const auto expected = static_cast<sf::Uint8>((std::sin(0.02f) * 0.2f + 0.6f) * 255.0f);
    for (int n = 0; n < 100; ++n) {
        scene.frame(0.02f);
        ASSERT_EQ(fixture.sprite("scylla_3").getColor().a, expected) << "frame " << n;
    }
}

TEST(CogScene, TurnsTheSharedCogAtFullSizeTwentyDegreesASecond)
{
    SceneFixture fixture;
    fixture.sprite("cog1").setScale(0.2f, 0.2f);  // as the workshop leaves it
    CogScene scene(fixture.context());
    const int frames = framesUntilHandOver(scene, CogScene::kId, 0.05f);
    EXPECT_NEAR(frames * 0.05f, 16.0f, 0.15f);
    EXPECT_NEAR(scene.cogAngle(), 320.0f, 3.0f);
    EXPECT_EQ(fixture.sprite("cog1").getScale(), sf::Vector2f(1.0f, 1.0f));
    EXPECT_EQ(fixture.sprite("cog1").getPosition(), sf::Vector2f(600.0f, 540.0f));
    EXPECT_FLOAT_EQ(fixture.sprite("cog1").getRotation(), std::fmod(scene.cogAngle(), 360.0f));
}
