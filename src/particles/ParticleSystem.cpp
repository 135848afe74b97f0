#include "particles/ParticleSystem.hpp"

#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "assets/SpriteManager.hpp"
#include "core/Diagnostics.hpp"
#include "particles/Random.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <new>
#include <stdexcept>

namespace {
const std::string kOwner = "ParticleSystem";

float readFloat(const nlohmann::json& document, const char* name)
{
    return jsonFloat(document.at(name));
}
}

bool ParticleSystem::load(const std::string& path, int instances, SpriteManager& sprites)
{
    nlohmann::json document;
    if (!readJsonFile(kOwner, path, document))
        return false;
    return loadDocument(document, path, instances, sprites);
}

bool ParticleSystem::loadFromStream(std::istream& stream, const std::string& name, int instances,
                                    SpriteManager& sprites)
{
    nlohmann::json document;
    readJsonStream(kOwner, stream, document);
    return loadDocument(document, name, instances, sprites);
}

bool ParticleSystem::loadDocument(const nlohmann::json& document, const std::string& path, int instances,
                                  SpriteManager& sprites)
{
    if (!validateJson(document, {"name", "sprites", "min_xs", "max_xs", "min_ys", "max_ys", "min_xg", "max_xg",
                                 "min_yg", "max_yg", "min_rot", "max_rot", "min_rotspeed", "max_rotspeed",
                                 "min_scale", "max_scale", "min_scalespeed", "max_scalespeed", "fadein", "fadeout",
                                 "min_fadespeed", "max_fadespeed", "min_ttl", "max_ttl"})) {
        reportLine(kOwner + ": Missing properties in jsonfile.");
        return false;
    }
    // A value of the wrong JSON type fails the whole definition with the library's message.
    try {
        readSprites(document.at("sprites").get<std::vector<std::string>>(), sprites);
        readSettings(document);
    } catch (const nlohmann::json::exception& error) {
        reportWrongType(kOwner, path, error);
        return false;
    }
    return makePool(path, instances);
}

void ParticleSystem::readSprites(const std::vector<std::string>& keys, SpriteManager& sprites)
{
    // A key the sprite registry lacks is reported there and left out, so no particle is ever
    // given a missing sprite.
    m_sprites.clear();
    for (const std::string& key : keys) {
        sf::Sprite* sprite = sprites.get(key);
        if (sprite != nullptr)
            m_sprites.push_back(sprite);
    }
}

void ParticleSystem::readSettings(const nlohmann::json& document)
{
    m_spawnX = {jsonFloatOr(document, "min_x", 0.0f), jsonFloatOr(document, "max_x", 1920.0f)};
    m_spawnY = {jsonFloatOr(document, "min_y", 0.0f), jsonFloatOr(document, "max_y", 1080.0f)};
    m_velocityX = {readFloat(document, "min_xs"), readFloat(document, "max_xs")};
    m_velocityY = {readFloat(document, "min_ys"), readFloat(document, "max_ys")};
    m_accelerationX = {readFloat(document, "min_xg"), readFloat(document, "max_xg")};
    m_accelerationY = {readFloat(document, "min_yg"), readFloat(document, "max_yg")};
    m_rotation = {readFloat(document, "min_rot"), readFloat(document, "max_rot")};
    m_rotationSpeed = {readFloat(document, "min_rotspeed"), readFloat(document, "max_rotspeed")};
    m_scale = {readFloat(document, "min_scale"), readFloat(document, "max_scale")};
    m_scaleSpeed = {readFloat(document, "min_scalespeed"), readFloat(document, "max_scalespeed")};
    m_fadeInEnabled = jsonBool(document.at("fadein"));
    m_fadeOutEnabled = jsonBool(document.at("fadeout"));
    m_fadeTime = {readFloat(document, "min_fadespeed"), readFloat(document, "max_fadespeed")};
    m_ttl = {readFloat(document, "min_ttl"), readFloat(document, "max_ttl")};
    // One key gives both ends of the alpha range.
    const float alpha = jsonFloatOr(document, "min_alpha", 1.0f);
    m_alpha = {alpha, alpha};
    m_spawnRate = jsonFloatOr(document, "spawn_rate", 0.0f);
}

bool ParticleSystem::makePool(const std::string& path, int instances)
{
    if (instances < 0) {
        reportLine(kOwner + ": Negative instances for [" + path + "]");
        return false;
    }
    if (instances > kMostInstances) {
        reportLine(kOwner + ": Too many instances for [" + path + "]: " + std::to_string(instances) + ", at most " +
                   std::to_string(kMostInstances));
        return false;
    }
    // The only allocation of the pool's life: it never grows or shrinks afterwards.
    try {
        m_pool.assign(static_cast<std::size_t>(instances), Particle());
    } catch (const std::bad_alloc&) {
        reportLine(kOwner + ": Unable to make " + std::to_string(instances) + " particles for [" + path + "]");
        return false;
    } catch (const std::length_error&) {
        reportLine(kOwner + ": Unable to make " + std::to_string(instances) + " particles for [" + path + "]");
        return false;
    }
    m_instances = instances;
    return true;
}

void ParticleSystem::update(float dt)
{
    spawnTimer += dt;
    if (emitting && m_spawnRate > 0.0f)
        spawnDue();
    for (Particle& particle : m_pool)
        particle.update(dt);
}

void ParticleSystem::spawnDue()
{
    while (spawnTimer >= m_spawnRate) {
        Particle* slot = freeSlot();
        if (slot == nullptr) {
            // Every spawn still due would be lost too, as no particle dies before the update:
            // drop them at once, however tiny the rate.
            spawnTimer = std::fmod(spawnTimer, m_spawnRate);
            return;
        }
        launchAtRandomPoint(*slot);
        const float before = spawnTimer;
        spawnTimer -= m_spawnRate;
        // A rate too small to move the timer would otherwise never end the loop.
        if (spawnTimer == before)
            break;
    }
}

void ParticleSystem::draw(sf::RenderTarget& target) const
{
    for (const Particle& particle : m_pool)
        particle.draw(target);
}

void ParticleSystem::emit()
{
    if (!emitting)
        return;
    Particle* slot = freeSlot();
    if (slot != nullptr)
        launchAtRandomPoint(*slot);
}

void ParticleSystem::launchAtRandomPoint(Particle& slot)
{
    const float x = randomBetween(m_spawnX.low, m_spawnX.high);
    const float y = randomBetween(m_spawnY.low, m_spawnY.high);
    launch(slot, x, y);
}

void ParticleSystem::emitAt(float x, float y)
{
    Particle* slot = freeSlot();
    if (slot != nullptr)
        launch(*slot, x, y);
}

std::size_t ParticleSystem::aliveCount() const
{
    std::size_t count = 0;
    for (const Particle& particle : m_pool)
        count += particle.alive ? 1 : 0;
    return count;
}

Particle* ParticleSystem::freeSlot()
{
    // Without a sprite to show (an empty or wholly missing "sprites" list) nothing spawns
    // and no random value is drawn.
    if (m_instances <= 0 || m_sprites.empty())
        return nullptr;
    for (Particle& particle : m_pool) {
        if (!particle.alive)
            return &particle;
    }
    return nullptr;
}

void ParticleSystem::launch(Particle& slot, float x, float y)
{
    // One named draw per value: the order of the draws is part of the film.
    const float vx = randomBetween(m_velocityX.low, m_velocityX.high);
    const float vy = randomBetween(m_velocityY.low, m_velocityY.high);
    const float fadeTime = randomBetween(m_fadeTime.low, m_fadeTime.high);
    const float ttl = randomBetween(m_ttl.low, m_ttl.high);
    const float ax = randomBetween(m_accelerationX.low, m_accelerationX.high);
    const float ay = randomBetween(m_accelerationY.low, m_accelerationY.high);
    const float rotation = randomBetween(m_rotation.low, m_rotation.high);
    const float rotationSpeed = randomBetween(m_rotationSpeed.low, m_rotationSpeed.high);
    const float scale = randomBetween(m_scale.low, m_scale.high);
    const float scaleSpeed = randomBetween(m_scaleSpeed.low, m_scaleSpeed.high);
    const float alphaTarget = randomBetween(m_alpha.low, m_alpha.high);
    sf::Sprite* sprite = m_sprites[static_cast<std::size_t>(std::rand()) % m_sprites.size()];
    slot.spawn(x, y, sprite, vx, vy, ax, ay, rotation, rotationSpeed, scale, scaleSpeed, m_fadeInEnabled,
               m_fadeOutEnabled, fadeTime, ttl, alphaTarget);
}

void ParticleSystem::restart()
{
    std::fill(m_pool.begin(), m_pool.end(), Particle());
    emitting = false;
    spawnTimer = 0.0f;
}
