#include "core/Game.hpp"
#include "core/ScreenFade.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

// The whole film through the game's one frame function, at a fixed 1/10 s: under software
// OpenGL every frame costs tens of milliseconds, and the hand-over rules are the same at any
// frame time. Each test runs in its own process, since the game's state is process-wide.

namespace {
constexpr float kDt = 1.0f / 10.0f;
constexpr int kFramesPerSecond = 10;

struct SceneStart {
    int id;
    float nominal;  // T of its first frame, seconds after the opening's
    int stages;     // each stage ends on the first frame past its length
};

// The order of play, when each scene begins, and how many timed stages it has.
const std::vector<SceneStart> kFilm = {
    {-1, -2.5f, 1}, {0, 0.0f, 9},   {1, 32.0f, 2},  {25, 48.0f, 3}, {2, 64.0f, 2},    {35, 112.0f, 1},
    {3, 128.0f, 2}, {4, 144.0f, 2}, {5, 160.0f, 2}, {6, 180.0f, 2}, {666, 200.0f, 0},
};

// Frames a run of stages lasts at kDt: the timer grows by kDt each frame and restarts from
// exactly 0 at each stage change, which comes on the frame the timer passes the stage.
int framesOf(const std::vector<float>& stageLengths)
{
    int frames = 0;
    float timer = 0.0f;
    for (std::size_t stage = 0; stage < stageLengths.size();) {
        ++frames;
        timer += kDt;
        if (timer > stageLengths[stage]) {
            timer = 0.0f;
            ++stage;
        }
    }
    return frames;
}
}

TEST(Film, PlaysEverySceneInOrderHandsOverOnTimeAndQuits)
{
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1920, 1080));
    Game& loop = game();
    ASSERT_TRUE(loop.loadContent());

    std::vector<std::pair<int, int>> seen = {{loop.sceneId, 0}};  // each scene and its first frame
    int frames = 0;
    while (loop.running && frames < 300 * kFramesPerSecond) {
        loop.frame(kDt, window);
        ++frames;
        if (loop.sceneId != seen.back().first)
            seen.emplace_back(loop.sceneId, frames);
    }
    EXPECT_FALSE(loop.running);
    ASSERT_EQ(seen.size(), kFilm.size()) << "scenes played: " << seen.size();
    // The frame that finds 666 stops the loop and is the last.
    EXPECT_EQ(frames, seen.back().second + 1);

    // Every stage change drops the part of a frame past its threshold, so a scene starts at
    // most one frame per stage change so far after its nominal time, never before it.
    int stageChanges = 0;
    for (std::size_t i = 0; i < kFilm.size(); ++i) {
        EXPECT_EQ(seen[i].first, kFilm[i].id) << "scene " << i;
        if (i == 0)
            continue;
        const float t = static_cast<float>(seen[i].second - seen[1].second) * kDt;
        EXPECT_GE(t, kFilm[i].nominal - 1e-3f) << "scene " << kFilm[i].id;
        EXPECT_LE(t, kFilm[i].nominal + kDt * stageChanges + 1e-3f) << "scene " << kFilm[i].id;
        stageChanges += kFilm[i].stages;
    }
}

TEST(Film, CreditsFadeInShowForSixteenSecondsFadeOutAndQuit)
{
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1920, 1080));
    Game& loop = game();
    ASSERT_TRUE(loop.loadContent());
    loop.sceneId = Game::kCredits;
    int frames = 0;
    auto runTo = [&](int frame) {
        for (; frames < frame; ++frames)
            loop.frame(kDt, window);
    };

    runTo(1);
    EXPECT_EQ(screenFade().direction, FadeDirection::In);
    EXPECT_FLOAT_EQ(screenFade().alpha, 0.0f);  // the fade moves from the next frame on
    runTo(2);
    EXPECT_GT(screenFade().alpha, 0.9f);
    runTo(2 * kFramesPerSecond + 1);  // 2 s of fading in
    EXPECT_EQ(screenFade().alpha, 0.0f);

    const int fadeOutFrame = framesOf({16.0f});
    runTo(fadeOutFrame - 1);
    EXPECT_EQ(screenFade().direction, FadeDirection::In);
    runTo(fadeOutFrame);
    EXPECT_EQ(screenFade().direction, FadeDirection::Out);
    runTo(fadeOutFrame + 2 * kFramesPerSecond + 1);
    EXPECT_EQ(screenFade().alpha, 1.0f);

    // The quit 4 s after the fade-out began; the frame that finds it is the last.
    const int lastFrame = framesOf({16.0f, 4.0f});
    runTo(lastFrame - 1);
    EXPECT_EQ(loop.sceneId, Game::kCredits);
    runTo(lastFrame);
    EXPECT_EQ(loop.sceneId, Game::kQuit);
    EXPECT_TRUE(loop.running);
    runTo(lastFrame + 1);
    EXPECT_FALSE(loop.running);
    EXPECT_NEAR(lastFrame * kDt, 20.0f, 2 * kDt);
}
