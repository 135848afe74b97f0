#pragma once

#include "core/Opacity.hpp"

#include <string>

class ParticleManager;
class ParticleSystem;
class SpriteManager;

namespace sf {
class RenderTarget;
class Sprite;
}

// What a scene works with: the registries it fetches its sprites and its rain from on its
// first frame, and the picture it draws into. Every operation accepts what a registry could
// not give (a null handle) and then does nothing, so a scene with a missing key skips what it
// lacks and still keeps its timeline.
class SceneContext {
public:
    // The game's registries and renderTexture().
    SceneContext();
    // Other registries and another picture (tests use fresh ones).
    SceneContext(SpriteManager& sprites, ParticleManager& particles, sf::RenderTarget& target);

    // The shared sprite of `key`, or null after the registry's line. First frame only.
    sf::Sprite* sprite(const std::string& key) const;
    // Restarts the shared "rain_particles" system's spawning (emitting on, spawnTimer 0) and
    // returns it, or null after the registry's line. First frame only.
    ParticleSystem* startRain() const;

    // Draws `sprite` as the default render states would (drawPicture); nothing when it is
    // null or while drawing is off (drawingEnabled).
    void draw(sf::Sprite* sprite) const;
    // The rain step: `rain` moves on by dt seconds, then draws its live particles (unless
    // drawing is off). Nothing when it is null.
    void stepRain(ParticleSystem* rain, float dt) const;

    sf::RenderTarget& target() const { return *m_target; }

private:
    SpriteManager* m_sprites;
    ParticleManager* m_particles;
    sf::RenderTarget* m_target;
};

// Sets the position of `sprite` in pixels; nothing when it is null.
void place(sf::Sprite* sprite, float x, float y);
// Colours `sprite` white with opacity `alpha` (0 to 1, as alphaByte turns it into a byte);
// nothing when it is null.
void tint(sf::Sprite* sprite, float alpha);
