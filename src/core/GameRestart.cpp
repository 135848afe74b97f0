#include "core/Game.hpp"

#include "assets/MusicManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "core/Screen.hpp"
#include "core/ScreenFade.hpp"
#include "particles/ParticleManager.hpp"
#include "scenes/SceneRecord.hpp"
#include "scenes/TextScript.hpp"
#include "text/TextManager.hpp"

#include <cstdlib>

void Game::restart()
{
    sceneId = kLeadIn;
    running = true;
    shaderTime = 0.0f;
    vignetteShader().setUniform("iTime", 0.0f);
    leadIn = BlackLeadIn();
    credits = Credits();

    ScreenFade& fade = screenFade();
    sf::Sprite* overlay = fade.sprite;
    fade = ScreenFade();
    fade.sprite = overlay;

    restartSceneRecords();
    TextManager::instance().restart();
    TextScript::instance().restart();
    ParticleManager::instance().restart();
    SpriteManager::instance().restoreKept();
    if (sf::Music* song = MusicManager::instance().player())
        song->stop();
    drawingEnabled() = true;
    // glibc's rand() without a seed draws the sequence of srand(1).
    std::srand(1);
}

bool Game::reloadContent()
{
    // Later registries hold handles into earlier ones: the last loaded goes first.
    TextManager::instance().clear();
    ParticleManager::instance().clear();
    MusicManager::instance().clear();
    SpriteManager::instance().clear();
    TextureManager::instance().clear();
    const bool loaded = loadContent();
    restart();
    return loaded;
}
