#pragma once

#include "assets/Registry.hpp"
#include "particles/ParticleSystem.hpp"

#include <iosfwd>
#include <string>

class SpriteManager;

// Holds every particle system of the game under a string key, filled once at start-up from
// assets/particles.json after the sprites. Systems are never removed, so a pointer handed
// out by get stays valid until exit; everyone who fetches a key shares one
// pool, one `emitting` flag and one `spawnTimer`.
class ParticleManager {
public:
    // The game's one registry, looking sprites up in SpriteManager::instance().
    static ParticleManager& instance();

    // A registry whose definitions look their sprites up in `sprites`.
    explicit ParticleManager(SpriteManager& sprites);

    // Reads a particles file ({"particlesystems": {key: {"file": ..., "instances": ...}}}),
    // loads each definition file with "instances" slots (default 100) and registers every
    // system that loads. True when the document has "particlesystems"; each bad entry (no
    // "file", a negative "instances" or one above ParticleSystem::kMostInstances, a value of
    // the wrong type, a definition that fails) prints its lines and is skipped.
    bool load(const std::string& path);
    // The same from an open stream holding the file's text (the fuzz target feeds it bytes);
    // the definition files it names are still read from disk.
    bool loadFromStream(std::istream& stream);
    bool contains(const std::string& key) const;
    // The system, or null after printing "ParticleManager: ParticleSystem with key <key> does
    // not exist.".
    ParticleSystem* get(const std::string& key);
    // Every system as loaded: no live particle, not emitting, spawnTimer 0.
    void restart();
    // Forgets everything loaded, so that load can read the files again (the preview does
    // after an edit); every handle given out before dangles.
    void clear();

private:
    // Everything load does after reading: the property check and every entry.
    bool loadDocument(const nlohmann::json& document);
    void loadEntry(const std::string& key, const nlohmann::json& entry);

    SpriteManager& m_sprites;
    Registry<ParticleSystem> m_systems{"ParticleManager", "ParticleSystem"};
};
