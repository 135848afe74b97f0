#pragma once

#include "core/FadeOutEnding.hpp"
#include "core/FilmOrder.hpp"
#include "scenes/SceneContext.hpp"

// The cog, 16 s: a large cog turning steadily on white, a hook hanging in from the top
// right. Fades in, fades out after 14 s and hands over to the ending.
class CogScene {
public:
    static constexpr int kId = film::kCog;
    static constexpr int kNextId = film::nextId(kId);

    explicit CogScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();

    SceneContext m_context;
    bool m_firstEntry = true;
    FadeOutEnding m_ending;
    float m_cogAngle = 0.0f;
    sf::Sprite* m_cog = nullptr;
    sf::Sprite* m_white = nullptr;
    sf::Sprite* m_hook = nullptr;
};

// The frame loop's cog scene: one frame of the game's one CogScene.
int cogScene(float dt);
