#pragma once

#include "scenes/SceneContext.hpp"

// Scene 5, 20 s: the last picture over falling rain (the rain shows only where the picture
// is transparent). Fades in, fades out after 18 s and hands over to the credits (id 6).
class EndingScene {
public:
    static constexpr int kId = 5;
    static constexpr int kNextId = 6;

    explicit EndingScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns 5, or 6 from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();
    int runStages(float dt);

    SceneContext m_context;
    bool m_firstEntry = true;
    int m_stage = 0;
    float m_timer = 0.0f;
    sf::Sprite* m_picture = nullptr;
    sf::Sprite* m_background = nullptr;
    ParticleSystem* m_rain = nullptr;
};

// The frame loop's ending scene: one frame of the game's one EndingScene.
int endingScene(float dt);
