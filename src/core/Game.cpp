#include "core/Game.hpp"

#include "assets/MusicManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "core/Diagnostics.hpp"
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
    TextureManager::instance().load("assets/textures.json");
    SpriteManager::instance().load("assets/sprites.json");
    MusicManager::instance().load("assets/music.json");
    ParticleManager::instance().load("assets/particles.json");
    TextManager::instance().load("assets/text/text.json");

    screenFade().sprite = SpriteManager::instance().get("black");

    sf::Shader& shader = vignetteShader();
    if (!shader.loadFromFile("assets/shaders/passthrough.vert", "assets/shaders/vignette.frag")) {
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

void Game::frame(float dt, sf::RenderTarget& window)
{
    shaderTime += dt;
    vignetteShader().setUniform("iTime", shaderTime);

    screenFade().update(dt);

    const sf::Color transparent(0, 0, 0, 0);
    window.clear(transparent);
    renderTexture().clear(transparent);

    runScene(dt);

    screenFade().drawOverlay(renderTexture());

    renderTexture().display();
    window.draw(renderSprite(), sf::RenderStates(&vignetteShader()));

    textScript(&window, dt);
}

void Game::advance(float dt)
{
    shaderTime += dt;
    screenFade().update(dt);

    drawingEnabled() = false;
    runScene(dt);
    // Tints the overlay sprite as a drawn frame does ("black" is the lead-in's sprite too).
    screenFade().drawOverlay(renderTexture());
    drawingEnabled() = true;

    textScript(nullptr, dt);
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
