#pragma once

#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleManager.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Window/Context.hpp>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

// The data files of the staged game folder the tests run in (or of `dataFrom`, the font from
// `font`) in a temporary folder made by makeStandInGame, no real picture to decode, which the
// test or fuzz target works in while the object lives; a GL context, so that textures need no
// context switch each; and registries of the shipped textures, sprites and particle systems.
class TinyGameFolder {
public:
    explicit TinyGameFolder(const std::string& dataFrom = std::filesystem::current_path().string(),
                            const std::string& font = "assets/fonts/EBGaramond12-Regular.otf");
    ~TinyGameFolder();
    TinyGameFolder(const TinyGameFolder&) = delete;
    TinyGameFolder& operator=(const TinyGameFolder&) = delete;

    // The bytes of a shipped file, its path relative to the game folder ("config.json").
    std::string shipped(const std::string& relative) const;

    sf::Context context;
    // Keeps the audio device open: it is closed whenever the last audio object goes, and each
    // load's music registry would otherwise open it anew (some 50 ms).
    sf::SoundBuffer audioDevice;
    TextureManager textures;
    SpriteManager sprites{textures};
    ParticleManager particles{sprites};
    // A small off-screen target for particles and letters to be drawn into.
    sf::RenderTexture target;

private:
    std::string m_dataFrom;
    std::string m_returnTo;
    TempDir m_dir;
};

// Which of `keys` `registry` holds, in their order.
template <typename Registry>
std::vector<std::string> heldKeys(const Registry& registry, std::vector<std::string> keys)
{
    keys.erase(std::remove_if(keys.begin(), keys.end(), [&](const std::string& key) { return !registry.contains(key); }),
               keys.end());
    return keys;
}
