#pragma once

#include "core/FadeOutEnding.hpp"
#include "core/FilmOrder.hpp"

namespace sf {
class RenderTarget;
class Sprite;
}

// The two short scenes that live in the frame loop itself.

// Black from the film's start until a little after the opening scene's (film::kOrder).
struct BlackLeadIn {
    static constexpr float kLength = film::startOf(film::kOpening) - film::kStart;

    bool firstEntry = true;
    sf::Sprite* black = nullptr;
    float timer = 0.0f;

    // One frame: draws black into `target` and returns film::kLeadIn, or the next scene's id
    // once the timer passes kLength.
    int frame(float dt, sf::RenderTarget& target);
};

// The credits picture: fades in, shows 16 s, fades to black, and 4 s after the fade-out
// began hands over to the quit. Black for the last 2 s, unlike the scenes, which
// hand over as their fade ends: the film closes on a moment of black.
struct Credits {
    static constexpr float kFadeDuration = 2.0f;
    static constexpr float kShowFor = 16.0f;
    static constexpr float kQuitAfter = 4.0f;

    bool firstEntry = true;
    sf::Sprite* picture = nullptr;
    FadeOutEnding ending{kShowFor, kFadeDuration, kQuitAfter};

    int frame(float dt, sf::RenderTarget& target);
};
