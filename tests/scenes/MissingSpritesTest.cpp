#include "SceneFixture.hpp"

#include "scenes/CogScene.hpp"
#include "scenes/DeskScene.hpp"
#include "scenes/DoorScene.hpp"
#include "scenes/EndingScene.hpp"
#include "scenes/OpeningScene.hpp"
#include "scenes/ScyllaScene.hpp"
#include "scenes/WalkScene.hpp"
#include "scenes/WorkshopScene.hpp"

#include <gtest/gtest.h>

namespace {
// Plays a whole scene in 1/4 s frames with no sprite and no rain at all: it must keep its
// timeline, report the missing keys on its first frame only and hand over on time.
template <typename Scene>
void playsThroughWithNothing(float length)
{
    SceneFixture fixture(SceneFixture::filmKeys());
    Scene scene(fixture.context());
    const std::string firstFrame = captureStderr([&] { EXPECT_EQ(scene.frame(0.25f), Scene::kId); });
    EXPECT_NE(firstFrame.find("does not exist."), std::string::npos);

    int frames = 1;
    int next = Scene::kId;
    const std::string later = captureStderr([&] {
        while (next == Scene::kId && frames < 1000) {
            next = scene.frame(0.25f);
            ++frames;
        }
    });
    EXPECT_EQ(later, "");
    EXPECT_EQ(next, Scene::kNextId);
    EXPECT_NEAR(frames * 0.25f, length, 2.5f);
    EXPECT_EQ(fixture.topLeftAndClear(), sf::Color(0, 0, 0, 0));
}
}

TEST(MissingSprites, EverySceneKeepsItsTimelineAndDrawsNothing)
{
    playsThroughWithNothing<OpeningScene>(32.0f);
    playsThroughWithNothing<WalkScene>(16.0f);
    playsThroughWithNothing<DeskScene>(16.0f);
    playsThroughWithNothing<WorkshopScene>(48.0f);
    playsThroughWithNothing<DoorScene>(16.0f);
    playsThroughWithNothing<ScyllaScene>(16.0f);
    playsThroughWithNothing<CogScene>(16.0f);
    playsThroughWithNothing<EndingScene>(20.0f);
}

TEST(MissingSprites, AMissingPictureLeavesTheOthersInPlace)
{
    // Without the first close-up the opening shows its black background there, and its
    // blink frame still flashes in on time.
    SceneFixture fixture({"closeup1_0"});
    OpeningScene scene(fixture.context());
    captureStderr([&] { scene.frame(0.25f); });
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("black"));
    for (int n = 2; n <= 8; ++n)
        scene.frame(0.25f);
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("black"));
    scene.frame(0.25f);  // 2.25 s: past the first 2 s wait
    EXPECT_EQ(fixture.topLeftAndClear(), SceneFixture::colourOf("closeup1_1"));
}
