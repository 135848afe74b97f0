#include "SceneFixture.hpp"

#include "scenes/WalkScene.hpp"

#include <gtest/gtest.h>

TEST(WalkScene, FirstFrameAlreadyShowsTheSecondWalkFrame)
{
    SceneFixture fixture;
    WalkScene scene(fixture.context());
    scene.frame(0.01f);
    EXPECT_EQ(scene.walkFrame(), 1u);
    scene.frame(0.2f);  // 0.05 s of the 0.25 s left
    EXPECT_EQ(scene.walkFrame(), 1u);
    scene.frame(0.05f);
    EXPECT_EQ(scene.walkFrame(), 2u);
}

TEST(WalkScene, LongFramesMoveTheWalkOneFrameEachAndWrapAfterTheFifth)
{
    SceneFixture fixture;
    WalkScene scene(fixture.context());
    const std::size_t expected[] = {1, 2, 3, 4, 0, 1};
    for (std::size_t shown : expected) {
        scene.frame(0.6f);
        EXPECT_EQ(scene.walkFrame(), shown);
    }
}

TEST(WalkScene, WalkFramesKeepTheLastFigurePlaceAndTheMistRises)
{
    SceneFixture fixture;
    WalkScene scene(fixture.context());
    scene.frame(0.5f);
    for (const char* key : {"walk_0", "walk_1", "walk_2", "walk_3", "walk_4"}) {
        EXPECT_EQ(fixture.sprite(key).getScale(), sf::Vector2f(0.4f, 0.4f)) << key;
        EXPECT_EQ(fixture.sprite(key).getPosition(), sf::Vector2f(720.0f, 446.0f)) << key;
    }
    EXPECT_EQ(fixture.sprite("towerwalk_1").getPosition(), sf::Vector2f(0.0f, -5.0f));
}
