#pragma once

#include <SFML/Graphics/Sprite.hpp>
#include <nlohmann/json_fwd.hpp>

#include "assets/Registry.hpp"

#include <iosfwd>
#include <string>

class TextureManager;

// Owns every sprite of the game under a string key, filled once from assets/sprites.json
// after the textures. A sprite is shared: whoever fetches a key gets the same sf::Sprite, so
// a position, scale or colour set by one user stays for the next.
class SpriteManager {
public:
    // The game's one registry, reading textures from TextureManager::instance().
    static SpriteManager& instance();

    // A registry that looks its textures up in `textures`.
    explicit SpriteManager(TextureManager& textures);

    // Reads a sprites file ({"sprites": {key: {"texture": ..., "originX", "originY", "rectX",
    // "rectY", "rectW", "rectH", "autocenter"}}}) and registers every valid entry. True when
    // the document has "sprites"; each bad entry prints one line and is skipped.
    bool load(const std::string& path);
    // The same from an open stream holding the file's text (the fuzz target feeds it bytes).
    bool loadFromStream(std::istream& stream);
    bool contains(const std::string& key) const;
    // The sprite, or null after printing "... does not exist.".
    sf::Sprite* get(const std::string& key) const;
    // Keeps a copy of every sprite as it stands (after loading), for restoreKept.
    void keepAsLoaded();
    // Gives every kept sprite back its kept position, scale, rotation, origin and colour;
    // handles stay valid.
    void restoreKept();
    // Forgets everything loaded, so that load can read the files again (the preview does
    // after an edit); every handle given out before dangles.
    void clear();
    // The textures this registry's sprites come from.
    const TextureManager& textures() const { return m_textures; }

private:
    // Everything load does after reading: the property check and every entry.
    bool loadDocument(const nlohmann::json& document);

    TextureManager& m_textures;
    Registry<sf::Sprite> m_sprites{"SpriteManager", "Sprite"};
    std::unordered_map<sf::Sprite*, sf::Sprite> m_kept;
};
