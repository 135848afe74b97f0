#pragma once

#include "Findings.hpp"

#include "assets/MusicManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleManager.hpp"
#include "text/TextManager.hpp"

#include <functional>
#include <string>

// Checks a game folder for everything that would make the film wrong without stopping it.
// It loads fresh registries from the current directory with the game's own loaders, in the
// game's order (textures, sprites, music, particles, text), and turns every line they print
// into a finding. Then it checks what the loaders take without a word: the keys the film
// fetches, sprite rectangles that reach outside their textures, pictures of another size
// than the crop the build stored them at, song files that do not decode, easing ids outside
// the nineteen curves, the poem's plays against the shapes the song times and the picture's
// width, and the poem's song against its score and its words (length, loop point, onsets).
// Needs a display (textures live in OpenGL) but no audio device.
class AssetLint {
public:
    // A lint that writes what it finds to `findings`.
    explicit AssetLint(Findings& findings);

    // Loads the registries and runs every check, once.
    void run();

private:
    // Loads with `load` and makes each line it prints a finding about `file`.
    void loadCaught(const std::string& file, const std::function<void()>& load);
    void loadRegistries();

    void checkRequiredKeys();
    void checkPoemStyleSize();
    void checkSpriteRectangles();
    void checkPictureSizes();
    void checkSongs();
    void checkEasing();
    void checkPoem();

    Findings& m_findings;
    TextureManager m_textures;
    SpriteManager m_sprites{m_textures};
    MusicManager m_music;
    ParticleManager m_particles{m_sprites};
    TextManager m_texts{m_particles};
};
