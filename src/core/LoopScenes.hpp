#pragma once

#include "core/FadeOutEnding.hpp"

namespace sf {
class RenderTarget;
class Sprite;
}

// The two short scenes that live in the frame loop itself.

// Black for a little more than 2.5 s before the opening scene (id -1, then 0).
struct BlackLeadIn {
    static constexpr float kLength = 2.5f;

    bool firstEntry = true;
    sf::Sprite* black = nullptr;
    float timer = 0.0f;

    // One frame: draws black into `target` and returns -1, or 0 once the timer passes 2.5 s.
    int frame(float dt, sf::RenderTarget& target);
};

// The credits picture: fades in, shows 16 s, fades to black, and 4 s after the fade-out
// began returns 666, which quits (id 6). Black for the last 2 s, unlike the scenes, which
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
