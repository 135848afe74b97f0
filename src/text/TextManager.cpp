#include "text/TextManager.hpp"

#include "particles/ParticleManager.hpp"

TextManager& TextManager::instance()
{
    static TextManager manager(ParticleManager::instance());
    return manager;
}

TextManager::TextManager(ParticleManager& particles)
    : m_particles(particles)
{
}

bool TextManager::load(const std::string& /*path*/) { return false; }
bool TextManager::contains(const std::string& /*key*/) const { return false; }
TextSystem* TextManager::get(const std::string& /*key*/) { return nullptr; }
void TextManager::update(float /*dt*/) {}
void TextManager::draw(sf::RenderTarget& /*target*/) {}
