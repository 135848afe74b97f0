#pragma once

#include "core/Opacity.hpp"
#include "core/Tween.hpp"

namespace sf {
class RenderTarget;
class Sprite;
}

// One slot of a particle pool: plain data that a ParticleSystem spawns, steps and draws.
// Positions are pixels of the 1920 x 1080 picture, times seconds, angles degrees (clockwise),
// opacities 0..1. A new slot is dead and its alphaTween inactive.
struct Particle {
    // Starts a new life in this slot: stores every value, age 0, alive. With fade-in the
    // particle starts transparent and fades to `alphaTarget` over `fadeTime` (sine-out);
    // without it the particle shows at full opacity and `alphaTarget` is not used.
    void spawn(float x, float y, sf::Sprite* sprite, float vx, float vy, float ax, float ay,
               float rotation, float rotationSpeed, float scale, float scaleSpeed,
               bool fadeInEnabled, bool fadeOutEnabled, float fadeTime, float ttl, float alphaTarget);
    // Advances a live particle by `dt` seconds: ages it, starts the fade-out when `fadeTime`
    // of its life is left, moves it with the velocity of the previous frame, then
    // accelerates and scales it. It dies in the first update in which age >= ttl.
    void update(float dt);
    // Draws a live particle with its shared sprite (leaving the sprite with this particle's
    // position, rotation, colour and scale). A dead slot draws nothing.
    void draw(sf::RenderTarget& target) const;

    float x = 0.0f;
    float y = 0.0f;
    float vx = 0.0f;  // pixels per second
    float vy = 0.0f;
    float ax = 0.0f;  // pixels per second squared
    float ay = 0.0f;
    float rotation = 0.0f;       // degrees
    float rotationSpeed = 0.0f;  // degrees per second
    float scale = 1.0f;
    float scaleSpeed = 0.0f;     // factor per second
    sf::Sprite* sprite = nullptr;  // one of the system's sprites, not owned
    bool alive = false;
    bool fadeOutEnabled = false;
    bool fadeInEnabled = false;
    float fadeTime = 0.0f;  // seconds of each fade
    float ttl = 0.0f;       // seconds of life
    float age = 0.0f;       // seconds since spawn
    bool fadingOut = false;
    float alpha = 0.0f;     // 0 transparent .. 1 opaque
    Tween alphaTween;
};

