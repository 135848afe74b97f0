#pragma once

#include "core/Tween.hpp"

namespace sf {
class RenderTarget;
class Sprite;
}

enum class FadeDirection : int { None = 0, In = 1, Out = 2 };

// The one full-screen fade to and from black that hides scene changes. The frame updates it
// before the scene runs and draws its overlay (the sprite "black", tinted) after.
struct ScreenFade {
    Tween tween;
    float alpha = 0.0f;  // overlay opacity as of the last update, 1 = black
    FadeDirection direction = FadeDirection::None;
    sf::Sprite* sprite = nullptr;  // the overlay; without it nothing is drawn

    // From black to the picture over `duration` seconds (sine-out).
    void fadeIn(float duration);
    // From the picture to black; the screen then stays black until the next fadeIn.
    void fadeOut(float duration);
    // Advances the running fade; alpha follows it from the first update after a start.
    void update(float dt);
    // True while fading, and for ever after a fade-out.
    bool overlayVisible() const;
    // Tints the overlay and draws it into `target` when it is visible and there is a sprite
    // (only the tint while drawing is off).
    void drawOverlay(sf::RenderTarget& target);
};

// The game's one fade.
ScreenFade& screenFade();

// Shorthands for screenFade().fadeIn / fadeOut, as the scenes call them.
void fadeIn(float duration);
void fadeOut(float duration);
