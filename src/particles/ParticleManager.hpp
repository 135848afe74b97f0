#pragma once

#include "particles/ParticleSystem.hpp"

#include <string>
#include <unordered_map>

class SpriteManager;

// Holds every particle system under a string key, filled once from assets/particles.json.
class ParticleManager {
public:
    static ParticleManager& instance();
    explicit ParticleManager(SpriteManager& sprites);

    bool load(const std::string& path);
    bool contains(const std::string& key) const;
    // The system, or null after printing "... does not exist.".
    ParticleSystem* get(const std::string& key);

private:
    SpriteManager& m_sprites;
    std::unordered_map<std::string, ParticleSystem> m_systems;
};
