#pragma once

#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleManager.hpp"
#include "scenes/SceneContext.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Color.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <string>
#include <vector>

// Fresh registries for one scene: every sprite key of the film is a 2 x 2 picture of its own
// colour (so the colour at the top-left of the small target tells which sprite covers it),
// there is no rain, and the scene draws into an 8 x 8 target.
class SceneFixture {
public:
    // All keys of the film but those in `missing`.
    explicit SceneFixture(const std::vector<std::string>& missing = {});

    SceneContext context();
    sf::Sprite& sprite(const std::string& key);
    // The colour a key's picture is made of.
    static sf::Color colourOf(const std::string& key);
    // The colour at pixel (0, 0) of the target after what has been drawn, after clearing
    // it to transparent black for the next frame.
    sf::Color topLeftAndClear();
    // Clears the target, as the frame loop does before every scene frame.
    void clear();

    // Every sprite key the scenes and the frame loop use.
    static const std::vector<std::string>& filmKeys();

private:
    TempDir m_folder;
    TextureManager m_textures;
    SpriteManager m_sprites;
    ParticleManager m_particles;
    sf::RenderTexture m_target;
};

// Runs `frame` with dt until it returns something other than `id`; returns the number of
// frames run (the last one included), or -1 after `limit` frames.
template <typename Scene>
int framesUntilHandOver(Scene& scene, int id, float dt, int limit = 100000)
{
    for (int n = 1; n <= limit; ++n) {
        if (scene.frame(dt) != id)
            return n;
    }
    return -1;
}
