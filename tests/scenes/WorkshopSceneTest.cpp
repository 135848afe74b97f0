#include "SceneFixture.hpp"

#include "scenes/WorkshopScene.hpp"

#include <gtest/gtest.h>

namespace {
// Runs frames of dt until `done` holds after one of them; returns how many, or -1.
template <typename Condition>
int framesUntil(WorkshopScene& scene, float dt, Condition done, int limit = 2000)
{
    for (int n = 1; n <= limit; ++n) {
        scene.frame(dt);
        if (done())
            return n;
    }
    return -1;
}
}

TEST(WorkshopScene, ScheduleTakesOneStepPerFrameEvenAfterALongFrame)
{
    SceneFixture fixture;
    WorkshopScene scene(fixture.context());
    scene.frame(40.0f);  // the clock is past every time but the last three
    EXPECT_EQ(scene.scheduleStep(), 1u);
    EXPECT_FALSE(scene.smallRope(0).active);
    scene.frame(0.01f);
    EXPECT_EQ(scene.scheduleStep(), 2u);
    EXPECT_TRUE(scene.smallRope(0).active);
    EXPECT_FALSE(scene.cogGroup(0).active);
    scene.frame(0.01f);
    EXPECT_EQ(scene.scheduleStep(), 3u);
    EXPECT_TRUE(scene.cogGroup(0).active);
}

TEST(WorkshopScene, TheTwoEntriesAtSixteenSecondsComeOnConsecutiveFrames)
{
    SceneFixture fixture;
    WorkshopScene scene(fixture.context());
    const int ropeFrame = framesUntil(scene, 0.05f, [&] { return scene.hookRope(1).active; });
    ASSERT_GT(ropeFrame, 0);
    EXPECT_NEAR(ropeFrame * 0.05f, 16.0f, 0.06f);
    EXPECT_FALSE(scene.cogGroup(1).active);
    scene.frame(0.05f);
    EXPECT_TRUE(scene.cogGroup(1).active);
}

TEST(WorkshopScene, OneSharedTickMovesRopesCogsAndHooksWhenTheirTimeHasCome)
{
    SceneFixture fixture;
    WorkshopScene scene(fixture.context());
    // With 1/4 s frames the tick timer passes 1 s on frames 5, 10, 15, ... The first small
    // rope comes in on frame 7 (clock 1.75 > 1.5) and jumps on frame 10, less than a second
    // later; the hook rope came in on frame 1 but its hook waits 3 s (until frame 12).
    for (int n = 1; n <= 9; ++n)
        scene.frame(0.25f);
    EXPECT_TRUE(scene.smallRope(0).active);
    EXPECT_EQ(scene.smallRope(0).x, -3840.0f);
    scene.frame(0.25f);
    EXPECT_EQ(scene.smallRope(0).x, -3840.0f + 134.0f);
    EXPECT_EQ(scene.hookRope(0).pathIndex, 0u);
    for (int n = 11; n <= 15; ++n)
        scene.frame(0.25f);
    EXPECT_EQ(scene.smallRope(0).x, -3840.0f + 2 * 134.0f);
    EXPECT_EQ(scene.hookRope(0).pathIndex, 1u);
    EXPECT_EQ(scene.cogGroup(0).turnA, 10.0f);  // in since frame 11
    EXPECT_EQ(scene.cogGroup(0).turnB, -10.0f);
}

TEST(WorkshopScene, HookShowsAfterItsDelayAndStopsAfterTheLastPointOfItsCable)
{
    SceneFixture fixture;
    WorkshopScene scene(fixture.context());
    sf::Sprite& hook = fixture.sprite("hook_3");
    hook.setPosition(-1.0f, -1.0f);
    for (int n = 1; n <= 11; ++n)  // 2.75 s: hidden
        scene.frame(0.25f);
    EXPECT_EQ(hook.getPosition(), sf::Vector2f(-1.0f, -1.0f));
    scene.frame(0.25f);  // 3 s: hung on the cable's first point, which sinks with the rope
    const float ropeY = scene.hookRope(0).y;
    EXPECT_EQ(hook.getPosition(), sf::Vector2f(125.0f, 359.0f + ropeY));
    EXPECT_EQ(fixture.sprite("big_rope_1").getPosition(), sf::Vector2f(0.0f, ropeY));

    // Eight ticks later the hook has passed the last point: it stays where it was last
    // drawn while the rope goes on sinking (the second rope's hook waits until 19 s).
    framesUntil(scene, 0.25f, [&] { return scene.hookRope(0).pathIndex == 8; });
    const sf::Vector2f lastDrawn = hook.getPosition();
    EXPECT_EQ(lastDrawn.x, 1853.0f);
    for (int n = 0; n < 8; ++n)
        scene.frame(0.25f);
    EXPECT_LT(scene.hookRope(0).y, 1080.0f);
    EXPECT_EQ(hook.getPosition(), lastDrawn);
}

TEST(WorkshopScene, HookLineIsShownAtTheTopThenFliesBackUpAndLeaves)
{
    SceneFixture fixture;
    WorkshopScene scene(fixture.context());
    const int bottom = framesUntil(scene, 0.05f, [&] { return scene.hookLine(0).speed < 0.0f; });
    ASSERT_GT(bottom, 0);
    EXPECT_NEAR(bottom * 0.05f, 4.5f + 14.4f, 0.1f);
    EXPECT_EQ(scene.hookLine(0).y, 0.0f);
    EXPECT_EQ(scene.hookLine(0).speed, -1000.0f);
    EXPECT_EQ(fixture.sprite("hookline").getPosition(), sf::Vector2f(750.0f, 0.0f));

    const int gone = framesUntil(scene, 0.05f, [&] { return !scene.hookLine(0).active; });
    EXPECT_NEAR(gone * 0.05f, 1.0f, 0.06f);
}

TEST(WorkshopScene, BackgroundRisesFromTheFloorAndTheSceneLastsFortyEightSeconds)
{
    SceneFixture fixture;
    WorkshopScene scene(fixture.context());
    const int frames = framesUntilHandOver(scene, WorkshopScene::kId, 0.0625f);
    EXPECT_EQ(frames, 48 * 16 + 2);
    EXPECT_FLOAT_EQ(scene.backgroundY(), -4680.0f + 50.0f * frames * 0.0625f);
    EXPECT_EQ(scene.scheduleStep(), 16u);
}
