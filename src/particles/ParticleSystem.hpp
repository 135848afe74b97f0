#pragma once

namespace sf {
class RenderTarget;
}

// Placeholder until the particle systems are built: the scenes' view of one emitter.
class ParticleSystem {
public:
    void update(float /*dt*/) {}
    void draw(sf::RenderTarget& /*target*/) {}
    void emitAt(float /*x*/, float /*y*/) {}

    bool emitting = false;
    float spawnTimer = 0.0f;
};
