#include "core/Game.hpp"

#include "assets/MusicManager.hpp"
#include "assets/SoundDevice.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "core/DataFiles.hpp"
#include "core/Diagnostics.hpp"
#include "core/FileCheck.hpp"
#include "core/Screen.hpp"
#include "core/ScreenFade.hpp"
#include "particles/ParticleManager.hpp"
#include "scenes/SceneTable.hpp"
#include "scenes/TextScript.hpp"
#include "text/TextManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/GlResource.hpp>

namespace {
// SFML makes and frees a small per-thread helper (a transient context lock) on every texture
// or shader switch unless one is already held on the thread. Holding one from the start-up
// until exit keeps the frames free of heap allocation. Made while a context is active, it
// only holds a count and never activates a context of its own.
class HeldContextLock : private sf::GlResource {
    TransientContextLock m_lock;
};
}

Game& game()
{
    static Game state;
    return state;
}

bool Game::loadContent()
{
    renderTexture().create(kScreenWidth, kScreenHeight);
    renderSprite().setTexture(renderTexture().getTexture());
    // The tools have no window: give them an active context before taking the lock.
    renderTexture().setActive(true);
    static const HeldContextLock heldLock;

    // Each later registry looks up keys of an earlier one while it loads.
    TextureManager::instance().load(dataFiles::kTextures);
    SpriteManager::instance().load(dataFiles::kSprites);
    MusicManager::instance().load(dataFiles::kMusic);
    // Asked once: by a reload (the preview's) the song's player may hold the device.
    static const bool soundDevice = findSoundDevice();
    if (!soundDevice)
        MusicManager::instance().playWithoutDevice();
    ParticleManager::instance().load(dataFiles::kParticles);
    TextManager::instance().load(dataFiles::kTexts);
    SpriteManager::instance().keepAsLoaded();

    screenFade().sprite = SpriteManager::instance().get("black");

    sf::Shader& shader = vignetteShader();
    for (const char* file : {dataFiles::kVertexShader, dataFiles::kFragmentShader}) {
        const std::string refused = notAFile(file);
        if (!refused.empty()) {
            reportLine("Unable to load vignette.frag: " + std::string(file) + " is " + refused);
            return false;
        }
    }
    if (!shader.loadFromFile(dataFiles::kVertexShader, dataFiles::kFragmentShader)) {
        reportLine("Unable to load vignette.frag");
        return false;
    }
    shader.setUniform("iChannel0", sf::Shader::CurrentTexture);
    shader.setUniform("iTime", 0.0f);
    return true;
}

void Game::applyInput(bool escapeHeld, bool closeRequested)
{
    if (escapeHeld || closeRequested)
        running = false;
}

void Game::togglePause()
{
    paused = !paused;
    MusicManager::instance().setPaused(paused);
}

void Game::toggleMute()
{
    MusicManager& music = MusicManager::instance();
    if (music.musicMuted)
        music.unmute();
    else
        music.mute();
}

void Game::frame(float dt, sf::RenderTarget& window)
{
    if (paused) {
        present(window);
        return;
    }
    step(dt, true);
    present(window);
    MusicManager::instance().checkDevice();
}

void Game::advance(float dt)
{
    step(dt, false);
}

void Game::step(float dt, bool drawn)
{
    shaderTime += dt;
    if (drawn)
        vignetteShader().setUniform("iTime", shaderTime);

    screenFade().update(dt);

    if (drawn)
        renderTexture().clear(sf::Color(0, 0, 0, 0));

    // Undrawn, the scenes and the overlay still tint and place their sprites as they would.
    drawingEnabled() = drawn;
    runScene(dt);
    screenFade().drawOverlay(renderTexture());
    drawingEnabled() = true;

    if (drawn)
        renderTexture().display();
    // The poem moves on before anything reaches the window, so that presenting is only drawing.
    textScript(dt);
}

void Game::present(sf::RenderTarget& window)
{
    window.clear(sf::Color(0, 0, 0, 0));
    window.draw(renderSprite(), sf::RenderStates(&vignetteShader()));
    TextScript::instance().draw(window);
}

void Game::runScene(float dt)
{
    switch (sceneId) {
    case kLeadIn:
        sceneId = leadIn.frame(dt, renderTexture());
        return;
    case kCredits:
        sceneId = credits.frame(dt, renderTexture());
        return;
    case kQuit:
        running = false;
        return;
    default:
        // An id without a scene draws nothing and waits for Escape or the close button.
        if (SceneFunction scene = sceneFunction(sceneId))
            sceneId = scene(dt);
        return;
    }
}
