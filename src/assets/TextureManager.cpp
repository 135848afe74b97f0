#include "assets/TextureManager.hpp"

#include "assets/ImagePrefetch.hpp"
#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "core/Diagnostics.hpp"

#include <algorithm>

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
        files.push_back(file.is_string() ? file.get<std::string>() : std::string());
    }
    return files;
}

// Whether every pixel is fully opaque; a picture with transparency usually shows it within
// its first rows, so only the opaque ones are read to the end.
bool hasNoTransparency(const sf::Image& image)
{
    const sf::Uint8* pixels = image.getPixelsPtr();
    const std::size_t bytes = std::size_t{image.getSize().x} * image.getSize().y * 4;
    for (std::size_t alpha = 3; alpha < bytes; alpha += 4)
        if (pixels[alpha] != 255)
            return false;
    return true;
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
                         const sf::Image* decoded)
{
    if (!m_textures.isFree(key))
        return false;
    // Without a decoded image the file is read here, and SFML says why when it fails.
    sf::Image read;
    const sf::Image* image = decoded != nullptr ? decoded : read.loadFromFile(file) ? &read : nullptr;
    auto texture = std::make_unique<sf::Texture>();
    if (image == nullptr || !texture->loadFromImage(*image, sf::IntRect(0, 0, 0, 0))) {
        reportLine(kOwner + ": Unable to load file " + file + ".");
        return false;
    }
    texture->setRepeated(repeated);
    if (hasNoTransparency(*image))
        m_opaque.push_back(texture.get());
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

bool TextureManager::isOpaque(const sf::Texture* texture) const
{
    return std::find(m_opaque.begin(), m_opaque.end(), texture) != m_opaque.end();
}

void TextureManager::clear()
{
    m_opaque.clear();
    m_textures.clear();
}
