#include "core/LoopScenes.hpp"

#include "assets/SpriteManager.hpp"
#include "core/Screen.hpp"
#include "core/ScreenFade.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

int BlackLeadIn::frame(float dt, sf::RenderTarget& target)
{
    if (firstEntry) {
        firstEntry = false;
        black = SpriteManager::instance().get("black");
    }
    timer += dt;
    if (black != nullptr && drawingEnabled())
        target.draw(*black, sf::RenderStates::Default);
    return timer > kLength ? 0 : -1;
}

int Credits::frame(float dt, sf::RenderTarget& target)
{
    if (firstEntry) {
        firstEntry = false;
        picture = SpriteManager::instance().get("credits");
        fadeIn(kFadeDuration);
    }
    timer += dt;
    int next = 6;
    if (stage == 0) {
        if (timer > kShowFor) {
            fadeOut(kFadeDuration);
            timer = 0.0f;
            stage = 1;
        }
    } else if (timer > kQuitAfter) {
        next = 666;
    }
    if (picture != nullptr && drawingEnabled())
        target.draw(*picture, sf::RenderStates::Default);
    return next;
}
