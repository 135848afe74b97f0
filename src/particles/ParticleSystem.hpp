#pragma once

#include "particles/Particle.hpp"

#include <nlohmann/json_fwd.hpp>

#include <cstddef>
#include <iosfwd>
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
    // The largest pool a system may have: more slots than this would be a typing slip that
    // takes the memory of the machine.
    static constexpr int kMostInstances = 100000;

    // Reads the definition file at `path` and makes a pool of `instances` dead slots, looking
    // the "sprites" keys up in `sprites`. A key the registry lacks is skipped (after the
    // registry's own line). False, after one or more lines on standard error, when the file
    // cannot be opened, misses one of the 24 required properties, holds a value of the wrong
    // JSON type, or the pool cannot be made (`instances` negative or above kMostInstances);
    // the system is then unusable.
    bool load(const std::string& path, int instances, SpriteManager& sprites);
    // The same from an open stream holding a definition's text (the fuzz target feeds it
    // bytes); `name` stands for the path in messages.
    bool loadFromStream(std::istream& stream, const std::string& name, int instances, SpriteManager& sprites);

    // Adds `dt` seconds to spawnTimer, spawns one particle per whole spawn interval passed
    // (while emitting; a spawn into a full pool is lost, and once the pool is full every
    // interval still due this update is dropped at once), then updates every slot.
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
    // As loaded: every slot dead and blank, not emitting, spawnTimer 0.
    void restart();

    // Automatic spawning (update) and random-point spawning (emit) are allowed.
    bool emitting = false;
    // Seconds accumulated toward the next automatic spawn.
    float spawnTimer = 0.0f;

private:
    struct Range {
        float low = 0.0f;
        float high = 0.0f;
    };

    // Everything load does after reading: the property check, the values and the pool.
    bool loadDocument(const nlohmann::json& document, const std::string& path, int instances,
                      SpriteManager& sprites);
    void readSprites(const std::vector<std::string>& keys, SpriteManager& sprites);
    // Reads every range, flag and the spawn rate; throws the library's type error.
    void readSettings(const nlohmann::json& document);
    bool makePool(const std::string& path, int instances);
    void spawnDue();
    Particle* freeSlot();
    void launchAtRandomPoint(Particle& slot);
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
