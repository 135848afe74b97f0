#include "text/TextManager.hpp"

#include "assets/JsonFile.hpp"
#include "core/Diagnostics.hpp"
#include "particles/ParticleManager.hpp"

namespace {
const std::string kOwner = "TextManager";
}

TextManager& TextManager::instance()
{
    static TextManager manager(ParticleManager::instance());
    return manager;
}

TextManager::TextManager(ParticleManager& particles)
    : m_particles(particles)
{
}

bool TextManager::load(const std::string& path)
{
    nlohmann::json document;
    if (!readJsonFile(kOwner, path, document))
        return false;
    return loadDocument(document);
}

bool TextManager::loadFromStream(std::istream& stream)
{
    nlohmann::json document;
    readJsonStream(kOwner, stream, document);
    return loadDocument(document);
}

bool TextManager::loadDocument(const nlohmann::json& document)
{
    if (!validateJson(document, {"textsystems"})) {
        reportLine(kOwner + ": Missing properties in textsfile.");
        return false;
    }
    const nlohmann::json& systems = document.at("textsystems");
    if (!systems.is_object())
        return true;
    for (const auto& [key, entry] : systems.items())
        create(key, entry);
    return true;
}

bool TextManager::create(const std::string& key, const nlohmann::json& entry)
{
    if (contains(key)) {
        reportLine("TextSystem: TextSystem with key " + key + " already exists.");
        return false;
    }
    auto system = std::make_unique<TextSystem>();
    if (!system->buildFromJson(entry, key, m_particles)) {
        reportLine("TextSystem: Unable to create textsystem. Bad JSON formatting.");
        return false;
    }
    m_systems.emplace(key, std::move(system));
    return true;
}

bool TextManager::contains(const std::string& key) const
{
    return m_systems.find(key) != m_systems.end();
}

TextSystem* TextManager::get(const std::string& key)
{
    const auto found = m_systems.find(key);
    if (found == m_systems.end()) {
        reportLine(kOwner + ": TextSystem with key " + key + " does not exist.");
        return nullptr;
    }
    return found->second.get();
}

void TextManager::update(float dt)
{
    for (auto& entry : m_systems)
        entry.second->update(dt);
}

void TextManager::draw(sf::RenderTarget& target)
{
    for (auto& entry : m_systems)
        entry.second->draw(target);
}

void TextManager::restart()
{
    for (auto& entry : m_systems)
        entry.second->restart();
}

void TextManager::clear()
{
    m_systems.clear();
}
