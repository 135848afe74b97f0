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
    return loadJsonFile(kOwner, path, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool TextManager::loadFromStream(std::istream& stream)
{
    return loadJsonStream(kOwner, stream, [this](const nlohmann::json& document) { return loadDocument(document); });
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
    // The line is the style's own, as every other line about building one.
    if (!m_systems.isFree(key, "TextSystem"))
        return false;
    auto system = std::make_unique<TextSystem>();
    if (!system->buildFromJson(entry, key, m_particles)) {
        reportLine("TextSystem: Unable to create textsystem. Bad JSON formatting.");
        return false;
    }
    m_systems.put(key, std::move(system));
    return true;
}

bool TextManager::contains(const std::string& key) const
{
    return m_systems.contains(key);
}

TextSystem* TextManager::get(const std::string& key)
{
    return m_systems.get(key);
}

void TextManager::update(float dt)
{
    m_systems.forEach([dt](TextSystem& system) { system.update(dt); });
}

void TextManager::draw(sf::RenderTarget& target)
{
    m_systems.forEach([&target](TextSystem& system) { system.draw(target); });
}

void TextManager::restart()
{
    m_systems.forEach([](TextSystem& system) { system.restart(); });
}

void TextManager::clear()
{
    m_systems.clear();
}
