#pragma once

#include "core/Tween.hpp"

#include <SFML/Graphics/Text.hpp>

#include <string>

class ParticleSystem;
class TextInstance;

// One visible character of a play: its own sf::Text, placed where the character sits in the
// instance's layout, that waits for its start delay, fades and moves in, lives `life`
// seconds, and may move and fade out and throw particle bursts. Plain data plus one update;
// the instance owns its letters and drives them.
class TextLetter {
public:
    // A letter showing `character` at `position` (pixels, the top-left of its cell in the
    // layout), drawn `halfHeight` pixels higher (origin (0, halfHeight)), with the style of
    // `owner`. It starts `startDelay` seconds after its instance's delay and lives `life`
    // seconds. Invisible until its first living update.
    TextLetter(const TextInstance& owner, char character, sf::Vector2f position, float halfHeight,
               float startDelay, float life);

    // One frame of `dt` seconds: waits, then ages, starts the out motion and fade-out near
    // the end, throws the bursts, and applies the tweens to `text`. A dead letter stays as
    // it was. Allocates nothing.
    void update(float dt);

    // Data, in the order of the design.
    std::string character;
    sf::Text text;
    Tween fadeInTween;
    Tween fadeOutTween;
    float x = 0.0f;  // pixels
    float y = 0.0f;
    bool alive = true;
    float life = 0.0f;          // seconds left
    float fadeDuration = 0.0f;  // seconds
    float outStart = 0.0f;      // seconds of life left when the out motion starts
    bool fadeInEnabled = false;
    bool fadeOutEnabled = false;
    float alpha = 0.0f;  // 0 to 1
    float startDelay = 0.0f;  // seconds still to wait
    float scale = 1.0f;
    float rotation = 0.0f;  // degrees
    float particlesOffsetX = 0.0f;
    float particlesOffsetY = 0.0f;
    int fillR = 0, fillG = 0, fillB = 0;
    int outlineR = 0, outlineG = 0, outlineB = 0;
    int outlineWidth = 0;  // pixels
    ParticleSystem* particlesIn = nullptr;
    ParticleSystem* particlesOut = nullptr;
    int numParticlesIn = 0;
    int numParticlesOut = 0;
    float particlesDurationOut = 0.0f;  // seconds of life left when the out burst fires
    Tween xInTween, yInTween, xOutTween, yOutTween;
    Tween scaleInTween, scaleOutTween, rotateInTween, rotateOutTween;

private:
    void prepareMotions(const TextInstance& owner);
    void startEnding();
    void advanceTweens(float dt);
    void applyToText();
    // Emits `count` particles of `system` at random points of the letter's box; `count`
    // ends at 0.
    void burst(ParticleSystem& system, int& count) const;
};
