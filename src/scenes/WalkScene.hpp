#pragma once

#include "core/FadeOutEnding.hpp"
#include "core/FilmOrder.hpp"
#include "scenes/SceneContext.hpp"

#include <array>
#include <cstddef>

// The walk, 16 s: a procession of six walking figures, from a large one at the left front to
// a tiny one far away, in a layered landscape whose mist rises slowly, in the rain. Fades in,
// fades out after 14 s and hands over to the desk.
class WalkScene {
public:
    static constexpr int kId = film::kWalk;
    static constexpr int kNextId = film::nextId(kId);

    explicit WalkScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();
    void stepWalk(float dt);
    // One figure: every walk frame scaled by `scale` and placed at (x, y), then the current one drawn.
    void drawFigure(float scale, float x, float y);

    SceneContext m_context;
    bool m_firstEntry = true;
    FadeOutEnding m_ending;
    std::array<sf::Sprite*, 5> m_walkFrames{};
    std::size_t m_frameIndex = 0;
    float m_frameTime = 0.0f;       // seconds each walk frame stays
    float m_frameCountdown = 0.0f;  // seconds left of the current walk frame
    std::array<sf::Sprite*, 4> m_layers{};
    float m_risingY = 0.0f;
    ParticleSystem* m_rain = nullptr;
};

// The frame loop's walk scene: one frame of the game's one WalkScene.
int walkScene(float dt);
