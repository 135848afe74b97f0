#include "particles/ParticleManager.hpp"

#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "assets/SpriteManager.hpp"
#include "core/Diagnostics.hpp"

#include <memory>
#include <utility>

namespace {
const std::string kOwner = "ParticleManager";
constexpr int kDefaultInstances = 100;
}

ParticleManager& ParticleManager::instance()
{
    static ParticleManager manager(SpriteManager::instance());
    return manager;
}

ParticleManager::ParticleManager(SpriteManager& sprites)
    : m_sprites(sprites)
{
}

bool ParticleManager::load(const std::string& path)
{
    return loadJsonFile(kOwner, path, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool ParticleManager::loadFromStream(std::istream& stream)
{
    return loadJsonStream(kOwner, stream, [this](const nlohmann::json& document) { return loadDocument(document); });
}

bool ParticleManager::loadDocument(const nlohmann::json& document)
{
    if (!validateJson(document, {"particlesystems"}))
        return false;
    for (const auto& [key, entry] : document.at("particlesystems").items())
        loadEntry(key, entry);
    return true;
}

void ParticleManager::loadEntry(const std::string& key, const nlohmann::json& entry)
{
    if (!entry.contains("file")) {
        reportLine(kOwner + ": Missing FILE property for [" + key + "]");
        return;
    }
    std::string file;
    int instances = kDefaultInstances;
    try {
        file = jsonString(entry.at("file"));
        instances = jsonIntOr(entry, "instances", kDefaultInstances);
    } catch (const nlohmann::json::exception& error) {
        reportWrongType(kOwner, key, error);
        return;
    }
    if (instances < 0) {
        reportLine(kOwner + ": Negative instances for [" + key + "]");
        return;
    }
    if (instances > ParticleSystem::kMostInstances) {
        reportLine(kOwner + ": Too many instances for [" + key + "]: " + std::to_string(instances) + ", at most " +
                   std::to_string(ParticleSystem::kMostInstances));
        return;
    }
    // A key that is already registered keeps its system: pointers to it are out there.
    if (!m_systems.isFree(key))
        return;
    auto system = std::make_unique<ParticleSystem>();
    if (system->load(file, instances, m_sprites))
        m_systems.put(key, std::move(system));
}

bool ParticleManager::contains(const std::string& key) const
{
    return m_systems.contains(key);
}

ParticleSystem* ParticleManager::get(const std::string& key)
{
    return m_systems.get(key);
}

void ParticleManager::restart()
{
    m_systems.forEach([](ParticleSystem& system) { system.restart(); });
}

void ParticleManager::clear()
{
    m_systems.clear();
}
