#include "scenes/SceneContext.hpp"

#include "assets/PictureDrawing.hpp"
#include "assets/SpriteManager.hpp"
#include "core/Opacity.hpp"
#include "core/Screen.hpp"
#include "particles/ParticleManager.hpp"
#include "particles/ParticleSystem.hpp"
#include "scenes/RequiredKeys.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>

SceneContext::SceneContext()
    : SceneContext(SpriteManager::instance(), ParticleManager::instance(), renderTexture())
{
}

SceneContext::SceneContext(SpriteManager& sprites, ParticleManager& particles, sf::RenderTarget& target)
    : m_sprites(&sprites)
    , m_particles(&particles)
    , m_target(&target)
{
}

sf::Sprite* SceneContext::sprite(const std::string& key) const
{
    return m_sprites->get(key);
}

ParticleSystem* SceneContext::startRain() const
{
    ParticleSystem* system = m_particles->get(kRainParticlesKey);
    if (system != nullptr) {
        // The spawning restarts; particles still alive from an earlier scene keep falling.
        system->emitting = true;
        system->spawnTimer = 0.0f;
    }
    return system;
}

void SceneContext::draw(sf::Sprite* sprite) const
{
    if (sprite != nullptr && drawingEnabled())
        drawPicture(*sprite, *m_target, m_sprites->textures());
}

void SceneContext::stepRain(ParticleSystem* rain, float dt) const
{
    if (rain == nullptr)
        return;
    rain->update(dt);
    // A particle's draw only poses the shared rain sprites, which nothing else reads.
    if (drawingEnabled())
        rain->draw(*m_target);
}

void place(sf::Sprite* sprite, float x, float y)
{
    if (sprite != nullptr)
        sprite->setPosition(x, y);
}

void tint(sf::Sprite* sprite, float alpha)
{
    if (sprite != nullptr)
        sprite->setColor(sf::Color(255, 255, 255, alphaByte(alpha)));
}
