#include "assets/SpriteManager.hpp"

#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "assets/TextureManager.hpp"
#include "core/Diagnostics.hpp"

namespace {
const std::string kOwner = "SpriteManager";
}

SpriteManager& SpriteManager::instance()
{
    static SpriteManager manager(TextureManager::instance());
    return manager;
}

SpriteManager::SpriteManager(TextureManager& textures)
    : m_textures(textures)
{
}

bool SpriteManager::load(const std::string& path)
{
    return loadJsonFile(kOwner, path, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool SpriteManager::loadFromStream(std::istream& stream)
{
    return loadJsonStream(kOwner, stream, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool SpriteManager::loadDocument(const nlohmann::json& document)
{
    if (!validateJson(document, {"sprites"})) {
        reportLine(kOwner + ": Missing properties in spritesfile.");
        return false;
    }
    for (const auto& [key, entry] : document.at("sprites").items()) {
        if (!entry.contains("texture")) {
            reportLine(kOwner + ": Missing TEXTURE property for [" + key + "]");
            continue;
        }
        try {
            const float originX = jsonFloatOr(entry, "originX", 0.0f);
            const float originY = jsonFloatOr(entry, "originY", 0.0f);
            int rectX = jsonIntOr(entry, "rectX", 0);
            int rectY = jsonIntOr(entry, "rectY", 0);
            int rectW = jsonIntOr(entry, "rectW", -1);
            int rectH = jsonIntOr(entry, "rectH", -1);
            const bool autocenter = jsonBoolOr(entry, "autocenter", false);
            const std::string textureKey = jsonString(entry.at("texture"));

            // A sprite without its texture is not registered: its sizes cannot be read.
            sf::Texture* texture = m_textures.get(textureKey);
            if (texture == nullptr)
                continue;
            const int width = static_cast<int>(texture->getSize().x);
            const int height = static_cast<int>(texture->getSize().y);
            sf::Vector2f origin(originX, originY);
            if (autocenter) {
                origin = sf::Vector2f(static_cast<float>(width / 2), static_cast<float>(height / 2));
                rectX = 0;
                rectY = 0;
                rectW = width;
                rectH = height;
            }
            if (rectW == -1)
                rectW = width;
            if (rectH == -1)
                rectH = height;

            if (!m_sprites.isFree(key))
                continue;
            auto sprite = std::make_unique<sf::Sprite>();
            sprite->setTexture(*texture, true);
            sprite->setTextureRect(sf::IntRect(rectX, rectY, rectW, rectH));
            sprite->setOrigin(origin);
            m_sprites.put(key, std::move(sprite));
        } catch (const nlohmann::json::exception& error) {
            reportWrongType(kOwner, key, error);
        }
    }
    return true;
}

bool SpriteManager::contains(const std::string& key) const
{
    return m_sprites.contains(key);
}

sf::Sprite* SpriteManager::get(const std::string& key) const
{
    return m_sprites.get(key);
}

void SpriteManager::keepAsLoaded()
{
    m_kept.clear();
    m_sprites.forEach([this](sf::Sprite& sprite) { m_kept.emplace(&sprite, sprite); });
}

void SpriteManager::restoreKept()
{
    for (const auto& kept : m_kept)
        *kept.first = kept.second;
}

void SpriteManager::clear()
{
    m_kept.clear();
    m_sprites.clear();
}
