#include "SceneFixture.hpp"

#include "core/Easing.hpp"
#include "scenes/DoorScene.hpp"

#include <gtest/gtest.h>

namespace {
constexpr float kDt = 0.25f;  // adds up exactly: the 8 s delay ends after frame 32
}

TEST(DoorScene, WingsAreDrawnOneFrameBehindTheirTweens)
{
    SceneFixture fixture;
    DoorScene scene(fixture.context());
    for (int n = 1; n <= 33; ++n)
        scene.frame(kDt);
    // Frame 33 moved the tweens for the first time, but drew the wings where they were.
    EXPECT_EQ(fixture.sprite("door_1").getPosition().x, 0.0f);
    EXPECT_EQ(fixture.sprite("door_2").getPosition().x, 0.0f);
    scene.frame(kDt);
    const float opened = ease(SineOut, kDt, 0.0f, 408.0f, 8.0f);
    EXPECT_FLOAT_EQ(fixture.sprite("door_1").getPosition().x, -opened);
    EXPECT_FLOAT_EQ(fixture.sprite("door_2").getPosition().x, opened);
}

TEST(DoorScene, HandsOverWhiteWithTheWingsNearlyOpen)
{
    SceneFixture fixture;
    DoorScene scene(fixture.context());
    // 16 s are 64 frames; the scene ends on the first frame past them, drawn in full.
    EXPECT_EQ(framesUntilHandOver(scene, DoorScene::kId, kDt), 65);
    EXPECT_EQ(scene.whiteAlpha(), 1.0f);
    EXPECT_EQ(fixture.sprite("white").getColor(), sf::Color::White);
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("white"));
    EXPECT_LT(fixture.sprite("door_1").getPosition().x, -400.0f);
    EXPECT_GT(fixture.sprite("door_2").getPosition().x, 400.0f);
}

TEST(DoorScene, WhiteCoverIsClearUntilTenSecondsThenFadesInLinearly)
{
    SceneFixture fixture;
    DoorScene scene(fixture.context());
    for (int n = 1; n <= 40; ++n)  // 10 s: the delay has just run out
        scene.frame(kDt);
    EXPECT_EQ(fixture.sprite("white").getColor().a, 0);
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("door_0"));
    for (int n = 1; n <= 8; ++n)  // 2 s of the 4 s whiteout
        scene.frame(kDt);
    EXPECT_FLOAT_EQ(scene.whiteAlpha(), 0.5f);
}
