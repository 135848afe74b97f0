#include "core/LoopScenes.hpp"

#include "assets/PictureDrawing.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "core/FilmOrder.hpp"
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
        drawPicture(*black, target, TextureManager::instance());
    return timer > kLength ? film::nextId(film::kLeadIn) : film::kLeadIn;
}

int Credits::frame(float dt, sf::RenderTarget& target)
{
    if (firstEntry) {
        firstEntry = false;
        picture = SpriteManager::instance().get("credits");
        fadeIn(kFadeDuration);
    }
    const int next = ending.handsOver(dt) ? film::nextId(film::kCredits) : film::kCredits;
    if (picture != nullptr && drawingEnabled())
        drawPicture(*picture, target, TextureManager::instance());
    return next;
}
