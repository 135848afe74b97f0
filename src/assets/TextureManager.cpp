#include "assets/TextureManager.hpp"

#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "core/Diagnostics.hpp"

namespace {
const std::string kOwner = "TextureManager";
}

TextureManager& TextureManager::instance()
{
    static TextureManager manager;
    return manager;
}

bool TextureManager::load(const std::string& path)
{
    nlohmann::json document;
    if (!readJsonFile(kOwner, path, document))
        return false;
    return loadDocument(document);
}

bool TextureManager::loadFromStream(std::istream& stream)
{
    nlohmann::json document;
    readJsonStream(kOwner, stream, document);
    return loadDocument(document);
}

bool TextureManager::loadDocument(const nlohmann::json& document)
{
    if (!validateJson(document, {"textures"})) {
        reportLine(kOwner + ": Missing properties in texturesfile.");
        return false;
    }
    for (const auto& [key, entry] : document.at("textures").items()) {
        if (!entry.contains("file")) {
            reportLine(kOwner + ": Missing FILE property for [" + key + "]");
            continue;
        }
        try {
            const bool repeated = jsonBoolOr(entry, "repeated", false);
            const std::string file = jsonString(entry.at("file"));
            add(key, file, repeated);
        } catch (const nlohmann::json::exception& error) {
            reportWrongType(kOwner, key, error);
        }
    }
    return true;
}

bool TextureManager::add(const std::string& key, const std::string& file, bool repeated)
{
    if (contains(key)) {
        reportLine(kOwner + ": Texture with key " + key + " already exists.");
        return false;
    }
    auto texture = std::make_unique<sf::Texture>();
    if (!texture->loadFromFile(file, sf::IntRect(0, 0, 0, 0))) {
        reportLine(kOwner + ": Unable to load file " + file + ".");
        return false;
    }
    texture->setRepeated(repeated);
    m_textures.emplace(key, std::move(texture));
    return true;
}

bool TextureManager::contains(const std::string& key) const
{
    return m_textures.find(key) != m_textures.end();
}

sf::Texture* TextureManager::get(const std::string& key) const
{
    const auto found = m_textures.find(key);
    if (found == m_textures.end()) {
        reportLine(kOwner + ": Texture with key " + key + " does not exist.");
        return nullptr;
    }
    return found->second.get();
}
