#pragma once

#include "core/FadeOutEnding.hpp"
#include "core/FilmOrder.hpp"
#include "scenes/SceneContext.hpp"

// The scylla, 16 s: the door's white fades away within a second over a stormy sea; two layers
// of the sea monster slide down from above at different speeds under a veil of spray. No
// fade-in; fades out after 14 s and hands over to the cog.
class ScyllaScene {
public:
    static constexpr int kId = film::kScylla;
    static constexpr int kNextId = film::nextId(kId);

    explicit ScyllaScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();

    SceneContext m_context;
    bool m_firstEntry = true;
    FadeOutEnding m_ending;
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
