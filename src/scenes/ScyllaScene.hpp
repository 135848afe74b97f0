#pragma once

#include "scenes/SceneContext.hpp"

// Scene 3, 16 s: the door's white fades away within a second over a stormy sea; two layers
// of the sea monster slide down from above at different speeds under a veil of spray. No
// fade-in; fades out after 14 s and hands over to the cog (id 4).
class ScyllaScene {
public:
    static constexpr int kId = 3;
    static constexpr int kNextId = 4;

    explicit ScyllaScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns 3, or 4 from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();
    int runStages(float dt);

    SceneContext m_context;
    bool m_firstEntry = true;
    int m_stage = 0;
    float m_timer = 0.0f;
    float m_flashAlpha;
    float m_layer1Y;
    float m_layer2Y;
    sf::Sprite* m_white = nullptr;
    sf::Sprite* m_sea = nullptr;
    sf::Sprite* m_farHeads = nullptr;
    sf::Sprite* m_nearHeads = nullptr;
    sf::Sprite* m_spray = nullptr;
};

// The frame loop's scylla scene: one frame of the game's one ScyllaScene.
int scyllaScene(float dt);
