#include "assets/TextureManager.hpp"

#include "assets/ImagePrefetch.hpp"
#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "assets/PictureFile.hpp"
#include "core/Diagnostics.hpp"

namespace {
const std::string kOwner = "TextureManager";

// The file of every entry that has one, in the order of the entries; an empty name where
// the file is not a string (that entry is reported, not loaded).
std::vector<std::string> filesOf(const nlohmann::json& textures)
{
    std::vector<std::string> files;
    for (const auto& item : textures.items()) {
        const nlohmann::json& entry = item.value();
        if (!entry.contains("file"))
            continue;
        const nlohmann::json& file = entry.at("file");
        // One that is not read at all is left to add, which says why.
        const bool readable = file.is_string() && pictureNotRead(file.get<std::string>()).empty();
        files.push_back(readable ? file.get<std::string>() : std::string());
    }
    return files;
}
}

TextureManager& TextureManager::instance()
{
    static TextureManager manager;
    return manager;
}

bool TextureManager::load(const std::string& path)
{
    return loadJsonFile(kOwner, path, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool TextureManager::loadFromStream(std::istream& stream)
{
    return loadJsonStream(kOwner, stream, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool TextureManager::loadDocument(const nlohmann::json& document)
{
    if (!validateJson(document, {"textures"})) {
        reportLine(kOwner + ": Missing properties in texturesfile.");
        return false;
    }
    const nlohmann::json& textures = document.at("textures");
    // The pictures decode on every core ahead of this loop, which uploads them in order.
    ImagePrefetch prefetch(filesOf(textures));
    std::size_t fileIndex = 0;
    for (const auto& [key, entry] : textures.items()) {
        if (!entry.contains("file")) {
            reportLine(kOwner + ": Missing FILE property for [" + key + "]");
            continue;
        }
        const std::size_t index = fileIndex++;
        try {
            const bool repeated = jsonBoolOr(entry, "repeated", false);
            const std::string file = jsonString(entry.at("file"));
            // A picture the workers could not decode is read again here, and SFML says why.
            add(key, file, repeated, prefetch.wait(index));
        } catch (const nlohmann::json::exception& error) {
            reportWrongType(kOwner, key, error);
        }
    }
    return true;
}

bool TextureManager::add(const std::string& key, const std::string& file, bool repeated)
{
    return add(key, file, repeated, nullptr);
}

bool TextureManager::add(const std::string& key, const std::string& file, bool repeated,
                         const DecodedPicture* decoded)
{
    if (!m_textures.isFree(key))
        return false;
    // A named pipe would hang the read; a huge picture takes gigabytes to decode.
    if (decoded == nullptr) {
        const std::string refused = pictureNotRead(file);
        if (!refused.empty()) {
            reportLine(kOwner + ": Unable to load file " + file + ": " + refused + ".");
            return false;
        }
    }
    // Without a decoded image the file is read here, and SFML says why when it fails.
    DecodedPicture read;
    const DecodedPicture* picture = decoded;
    if (picture == nullptr && read.image.loadFromFile(file)) {
        read.cover = PictureCover(read.image);
        picture = &read;
    }
    auto texture = std::make_unique<sf::Texture>();
    if (picture == nullptr || !texture->loadFromImage(picture->image, sf::IntRect(0, 0, 0, 0))) {
        reportLine(kOwner + ": Unable to load file " + file + ".");
        return false;
    }
    texture->setRepeated(repeated);
    if (picture->cover.opaque() || picture->cover.hasEmptyTiles())
        m_covers.emplace_back(texture.get(), picture->cover);
    m_textures.put(key, std::move(texture));
    return true;
}

bool TextureManager::contains(const std::string& key) const
{
    return m_textures.contains(key);
}

sf::Texture* TextureManager::get(const std::string& key) const
{
    return m_textures.get(key);
}

const PictureCover* TextureManager::cover(const sf::Texture* texture) const
{
    for (const auto& [coveredTexture, cover] : m_covers)
        if (coveredTexture == texture)
            return &cover;
    return nullptr;
}

void TextureManager::clear()
{
    m_covers.clear();
    m_textures.clear();
}
