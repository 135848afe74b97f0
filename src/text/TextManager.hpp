#pragma once

#include "assets/Registry.hpp"
#include "text/TextSystem.hpp"

#include <nlohmann/json.hpp>

#include <iosfwd>
#include <memory>
#include <string>

namespace sf {
class RenderTarget;
}
class ParticleManager;

// Owns every text style of the game under a string key, filled once from
// assets/text/text.json after the particle systems (a style's bursts name them by key).
class TextManager {
public:
    // The game's one registry, looking particle systems up in ParticleManager::instance().
    static TextManager& instance();

    // A registry that looks its particle systems up in `particles`.
    explicit TextManager(ParticleManager& particles);

    // Reads a text file ({"textsystems": {key: entry}}) and builds every entry, in key
    // order. False when the file cannot be opened ("TextManager: Unable to open file
    // <path>.") or has no "textsystems" ("TextManager: Missing properties in textsfile.");
    // a bad entry prints its lines and is skipped.
    bool load(const std::string& path);
    // The same from an open stream holding the file's text (the fuzz target feeds it bytes).
    bool loadFromStream(std::istream& stream);

    // Builds the style `entry` and registers it under `key`. False when the key is taken
    // ("TextSystem: TextSystem with key <key> already exists.") or the entry is bad ("TextSystem:
    // Unable to create textsystem. Bad JSON formatting." after the entry's own line).
    bool create(const std::string& key, const nlohmann::json& entry);

    bool contains(const std::string& key) const;
    // The style, or null after printing "TextManager: TextSystem with key <key> does not exist.".
    TextSystem* get(const std::string& key);

    // One frame of `dt` seconds for every instance of every style, then drawing them all
    // into `target`. Allocate nothing.
    void update(float dt);
    void draw(sf::RenderTarget& target);
    // Every instance of every style idle and empty, as built (TextSystem::restart).
    void restart();
    // Forgets everything loaded, so that load can read the files again (the preview does
    // after an edit); every handle given out before dangles.
    void clear();

private:
    // Everything load does after reading: the property check and every entry.
    bool loadDocument(const nlohmann::json& document);

    ParticleManager& m_particles;
    Registry<TextSystem> m_systems{"TextManager", "TextSystem"};
};
