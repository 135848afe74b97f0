#pragma once

#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleManager.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

// The working folder a fuzz target runs in until it exits: a stand-in game folder, with
// registries of the shipped textures, sprites and particle systems for the loaders that look
// keys up. It defines every target's LLVMFuzzerInitialize, which enters it.
class FuzzFixture {
public:
    // The one fixture of this process, made (and entered) on first use.
    static FuzzFixture& instance();

    FuzzFixture(const FuzzFixture&) = delete;
    FuzzFixture& operator=(const FuzzFixture&) = delete;

    // A small off-screen target to draw particles and letters into.
    sf::RenderTexture& target() { return m_target; }

    TextureManager textures;
    SpriteManager sprites{textures};
    ParticleManager particles{sprites};

private:
    FuzzFixture();

    // Keeps the audio device open: it is closed whenever the last audio object goes, and each
    // input's music registry would otherwise open it anew (some 50 ms).
    sf::SoundBuffer m_audioDevice;
    sf::RenderTexture m_target;
};

// The fuzzed bytes as text, for the loaders that read a stream.
std::string fuzzText(const std::uint8_t* data, std::size_t size);
