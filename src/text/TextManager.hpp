#pragma once

#include <string>

namespace sf {
class RenderTarget;
}
class ParticleManager;
class TextSystem;

// Placeholder until the text systems are built: the registry of text styles.
class TextManager {
public:
    static TextManager& instance();
    explicit TextManager(ParticleManager& particles);

    bool load(const std::string& path);
    bool contains(const std::string& key) const;
    TextSystem* get(const std::string& key);
    void update(float dt);
    void draw(sf::RenderTarget& target);

private:
    ParticleManager& m_particles;
};
