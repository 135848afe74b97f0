#pragma once

#include <SFML/Graphics/Texture.hpp>
#include <nlohmann/json_fwd.hpp>

#include "assets/PictureCover.hpp"
#include "assets/Registry.hpp"

#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

struct DecodedPicture;

// Owns every texture of the game under a string key, filled once from assets/textures.json.
// Textures are never removed; pointers handed out stay valid until exit.
class TextureManager {
public:
    // The game's one registry. Tests may construct their own.
    static TextureManager& instance();

    // Reads a textures file ({"textures": {key: {"file": ..., "repeated": ...}}}) and
    // registers every valid entry. True when the document has "textures", even if some
    // entries failed; each failure prints one line.
    bool load(const std::string& path);
    // The same from an open stream holding the file's text (the fuzz target feeds it bytes).
    bool loadFromStream(std::istream& stream);
    // Loads one image file and registers it. False (after one line) when the key exists
    // or the image cannot be loaded.
    bool add(const std::string& key, const std::string& file, bool repeated);
    bool contains(const std::string& key) const;
    // The texture, or null after printing "... does not exist.".
    sf::Texture* get(const std::string& key) const;
    // Where the picture of `texture` shows anything, when `texture` is one of these and its
    // picture is fully opaque or has tiles that show nothing; otherwise null.
    const PictureCover* cover(const sf::Texture* texture) const;
    // Forgets everything loaded, so that load can read the files again (the preview does
    // after an edit); every handle given out before dangles.
    void clear();

private:
    // Everything load does after reading: the property check and every entry.
    bool loadDocument(const nlohmann::json& document);
    // add, with the file's picture when it is already decoded (null: read the file here).
    bool add(const std::string& key, const std::string& file, bool repeated, const DecodedPicture* decoded);

    Registry<sf::Texture> m_textures{"TextureManager", "Texture"};
    // A few dozen, searched per drawn picture.
    std::vector<std::pair<const sf::Texture*, PictureCover>> m_covers;
};
