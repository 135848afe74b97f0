#pragma once

#include "particles/Particle.hpp"

#include <nlohmann/json_fwd.hpp>

#include <cstddef>
#include <string>
#include <vector>

class SpriteManager;

namespace sf {
class RenderTarget;
class Sprite;
}

// One emitter: a fixed pool of particles and the ranges every new particle draws its start
// values from, read from a JSON definition file. Spawns on a timer at random points of its
// spawn area while `emitting`, or on request at a point; moves, turns, scales and fades its
// particles every update and draws the live ones. Times are seconds, positions pixels of the
// 1920 x 1080 picture, angles degrees. Nothing is allocated after load.
class ParticleSystem {
public:
    // Reads the definition file at `path` and makes a pool of `instances` dead slots, looking
    // the "sprites" keys up in `sprites`. A key the registry lacks is skipped (after the
    // registry's own line). False, after one or more lines on standard error, when the file
    // cannot be opened, misses one of the 24 required properties, holds a value of the wrong
    // JSON type, or the pool cannot be made; the system is then unusable.
    bool load(const std::string& path, int instances, SpriteManager& sprites);

    // Adds `dt` seconds to spawnTimer, spawns one particle per whole spawn interval passed
    // (while emitting; a spawn into a full pool is lost), then updates every slot.
    void update(float dt);
    // Draws every live particle onto `target`, in slot order (higher slots on top).
    void draw(sf::RenderTarget& target) const;
    // Spawns one particle at a random point of the spawn area, only while emitting.
    void emit();
    // Spawns one particle at (x, y) pixels, whether or not the system is emitting.
    void emitAt(float x, float y);

    // The pool, for inspection: `instances` slots, dead ones included.
    const std::vector<Particle>& particles() const { return m_pool; }
    // The number of live particles (a scan of the pool).
    std::size_t aliveCount() const;

    // Automatic spawning (update) and random-point spawning (emit) are allowed.
    bool emitting = false;
    // Seconds accumulated toward the next automatic spawn.
    float spawnTimer = 0.0f;

private:
    struct Range {
        float low = 0.0f;
        float high = 0.0f;
    };

    void readSprites(const std::vector<std::string>& keys, SpriteManager& sprites);
    // Reads every range, flag and the spawn rate; throws the library's type error.
    void readSettings(const nlohmann::json& document);
    bool makePool(const std::string& path, int instances);
    Particle* freeSlot();
    // Draws every start value but the position, in their fixed order, and spawns `slot`.
    void launch(Particle& slot, float x, float y);

    std::vector<sf::Sprite*> m_sprites;
    std::vector<Particle> m_pool;
    float m_spawnRate = 0.0f;  // seconds between automatic spawns; 0 or less: none
    int m_instances = 0;
    Range m_spawnX{0.0f, 1920.0f};
    Range m_spawnY{0.0f, 1080.0f};
    Range m_velocityX;      // pixels per second
    Range m_velocityY;
    Range m_accelerationX;  // pixels per second squared
    Range m_accelerationY;
    Range m_rotation;       // degrees
    Range m_rotationSpeed;  // degrees per second
    Range m_fadeTime;       // seconds
    Range m_scale;
    Range m_scaleSpeed;     // factor per second
    Range m_alpha{1.0f, 1.0f};
    Range m_ttl;            // seconds
    bool m_fadeInEnabled = false;
    bool m_fadeOutEnabled = false;
};
