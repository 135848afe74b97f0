#include "SceneFixture.hpp"

#include "core/Easing.hpp"
#include "scenes/DeskScene.hpp"

#include <gtest/gtest.h>

#include <algorithm>

namespace {
constexpr float kDt = 0.25f;  // adds up exactly: the slide starts on frame 33
}

TEST(DeskScene, SlideEvaluatesBeforeItAdvances)
{
    SceneFixture fixture;
    DeskScene scene(fixture.context());
    for (int n = 1; n <= 32; ++n)
        scene.frame(kDt);
    EXPECT_EQ(scene.stage(), 0);
    EXPECT_EQ(fixture.sprite("desk_3").getPosition(), sf::Vector2f(-1920.0f, 0.0f));

    // The frame on which the slide starts still draws the letter outside the picture ...
    scene.frame(kDt);
    EXPECT_EQ(scene.stage(), 1);
    EXPECT_EQ(scene.slideX(), -1920.0f);
    EXPECT_EQ(fixture.sprite("desk_3").getPosition().x, -1920.0f);
    // ... and every later frame shows the value of one frame earlier.
    scene.frame(kDt);
    EXPECT_FLOAT_EQ(scene.slideX(), ease(BackOut, kDt, -1920.0f, 1720.0f, 4.0f));
}

TEST(DeskScene, SlideOvershootsThenRestsExactlyAtMinus200)
{
    SceneFixture fixture;
    DeskScene scene(fixture.context());
    float rightmost = -1920.0f;
    for (int n = 1; n <= 33 + 16; ++n) {
        scene.frame(kDt);
        rightmost = std::max(rightmost, scene.slideX());
    }
    EXPECT_GT(rightmost, -200.0f + 100.0f);  // back-out: about 10 % of the way beyond
    EXPECT_EQ(scene.slideX(), -200.0f);
    for (int n = 0; n < 8; ++n)
        scene.frame(kDt);
    EXPECT_EQ(scene.slideX(), -200.0f);
    EXPECT_EQ(fixture.sprite("desk_3").getPosition(), sf::Vector2f(-200.0f, 0.0f));
}
