#include "particles/ParticleManager.hpp"

#include "assets/SpriteManager.hpp"

ParticleManager& ParticleManager::instance()
{
    static ParticleManager manager(SpriteManager::instance());
    return manager;
}

ParticleManager::ParticleManager(SpriteManager& sprites)
    : m_sprites(sprites)
{
}

bool ParticleManager::load(const std::string& /*path*/)
{
    return false;
}

bool ParticleManager::contains(const std::string& key) const
{
    return m_systems.find(key) != m_systems.end();
}

ParticleSystem* ParticleManager::get(const std::string& key)
{
    const auto found = m_systems.find(key);
    return found == m_systems.end() ? nullptr : &found->second;
}
