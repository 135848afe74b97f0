#pragma once

#include "core/FadeOutEnding.hpp"
#include "core/FilmOrder.hpp"
#include "scenes/SceneContext.hpp"

// The ending, 20 s: the last picture over falling rain (the rain shows only where the picture
// is transparent). Fades in, fades out after 18 s and hands over to the credits.
class EndingScene {
public:
    static constexpr int kId = film::kEnding;
    static constexpr int kNextId = film::nextId(kId);

    explicit EndingScene(SceneContext context = SceneContext());

    // One frame of dt seconds; returns kId, or kNextId from the frame on which the scene ends.
    int frame(float dt);

private:
    void setUp();

    SceneContext m_context;
    bool m_firstEntry = true;
    FadeOutEnding m_ending;
    sf::Sprite* m_picture = nullptr;
    sf::Sprite* m_background = nullptr;
    ParticleSystem* m_rain = nullptr;
};

// The frame loop's ending scene: one frame of the game's one EndingScene.
int endingScene(float dt);
