#pragma once

#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleManager.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Window/Context.hpp>

#include <string>

// The staged game folder's data files in a temporary folder made by makeStandInGame (no real
// picture to decode), which the test works in while the object lives; a GL context, so that
// textures are made without a context switch each; and registries of the shipped textures,
// sprites and particle systems for the loaders that look keys up.
class TinyGameFolder {
public:
    TinyGameFolder();
    ~TinyGameFolder();
    TinyGameFolder(const TinyGameFolder&) = delete;
    TinyGameFolder& operator=(const TinyGameFolder&) = delete;

    // The bytes of a shipped file, its path relative to the game folder ("config.json").
    std::string shipped(const std::string& relative) const;

    sf::Context context;
    // Keeps the audio device open: it is closed whenever the last audio object goes, and each
    // load's music registry would otherwise open it anew.
    sf::SoundBuffer audioDevice;
    TextureManager textures;
    SpriteManager sprites{textures};
    ParticleManager particles{sprites};
    // A small off-screen target for particles and letters to be drawn into.
    sf::RenderTexture target;

private:
    std::string m_gameFolder;
    TempDir m_dir;
};
