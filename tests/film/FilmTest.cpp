#include "core/Game.hpp"
#include "core/ScreenFade.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

// The whole film through the game's one frame function, at a fixed 1/10 s: under software
// OpenGL every frame costs tens of milliseconds, and the hand-over rules are the same at any
// frame time. Each test runs in its own process, since the game's state is process-wide.

namespace {
constexpr float kDt = 1.0f / 10.0f;
constexpr int kFramesPerSecond = 10;

struct SceneLength {
    int id;
    float nominalStart;             // T of its first frame, seconds after the opening's
    std::vector<float> stageLengths;  // each stage ends on the first frame past its length
};

// The order of play and every stage of every scene.
const std::vector<SceneLength>& film()
{
    static const std::vector<SceneLength> scenes = {
        {-1, -2.5f, {2.5f}},
        {0, 0.0f, {1, 5, 2, 5, 3, 5, 5, 4, 2}},
        {1, 32.0f, {14, 2}},
        {25, 48.0f, {8, 6, 2}},
        {2, 64.0f, {46, 2}},
        {35, 112.0f, {16}},
        {3, 128.0f, {14, 2}},
        {4, 144.0f, {14, 2}},
        {5, 160.0f, {18, 2}},
        {6, 180.0f, {16, 4}},
        {666, 200.0f, {}},
    };
    return scenes;
}

// Frames a scene lasts at kDt: its timer grows by kDt each frame and restarts from exactly 0
// at each stage change, and the last stage hands over on the frame its timer passes it.
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

struct HandOver {
    int id;
    int frame;  // index of the scene's first frame, counting the lead-in's first as 0
};

bool operator==(const HandOver& a, const HandOver& b) { return a.id == b.id && a.frame == b.frame; }

std::ostream& operator<<(std::ostream& out, const HandOver& h)
{
    return out << "scene " << h.id << " from frame " << h.frame;
}
}

TEST(Film, PlaysEverySceneInOrderHandsOverOnTimeAndQuits)
{
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1920, 1080));
    Game& loop = game();
    ASSERT_TRUE(loop.loadContent());

    std::vector<HandOver> seen = {{loop.sceneId, 0}};
    int frames = 0;
    while (loop.running && frames < 300 * kFramesPerSecond) {
        loop.frame(kDt, window);
        ++frames;
        if (loop.sceneId != seen.back().id)
            seen.push_back({loop.sceneId, frames});
    }
    EXPECT_FALSE(loop.running);

    std::vector<HandOver> predicted;
    int start = 0;
    for (const SceneLength& scene : film()) {
        predicted.push_back({scene.id, start});
        start += framesOf(scene.stageLengths);
    }
    EXPECT_EQ(seen, predicted);
    // The frame that finds 666 stops the loop and is the last.
    EXPECT_EQ(frames, predicted.back().frame + 1);

    // Every stage change drops the part of a frame past its threshold, so a scene starts at
    // most one frame per stage change so far after its nominal time, never before it.
    const int openingFrame = predicted[1].frame;
    int stageChanges = 0;
    for (std::size_t i = 1; i < predicted.size(); ++i) {
        const float t = static_cast<float>(predicted[i].frame - openingFrame) * kDt;
        EXPECT_GE(t, film()[i].nominalStart - 1e-3f) << predicted[i];
        EXPECT_LE(t, film()[i].nominalStart + kDt * stageChanges + 1e-3f) << predicted[i];
        stageChanges += static_cast<int>(film()[i].stageLengths.size());
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
