#include "core/ScreenFade.hpp"

#include "assets/PictureDrawing.hpp"
#include "assets/TextureManager.hpp"
#include "core/Easing.hpp"
#include "core/Opacity.hpp"
#include "core/Screen.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>

void ScreenFade::fadeIn(float duration)
{
    direction = FadeDirection::In;
    tween.start(1.0f, 0.0f, duration, SineOut, 0.0f);
}

void ScreenFade::fadeOut(float duration)
{
    direction = FadeDirection::Out;
    tween.start(0.0f, 1.0f, duration, SineOut, 0.0f);
}

void ScreenFade::update(float dt)
{
    if (!tween.active)
        return;
    tween.update(dt);
    alpha = tween.current;
}

bool ScreenFade::overlayVisible() const
{
    return tween.active || direction == FadeDirection::Out;
}

void ScreenFade::drawOverlay(sf::RenderTarget& target)
{
    if (!overlayVisible() || sprite == nullptr)
        return;
    sprite->setColor(sf::Color(255, 255, 255, alphaByte(alpha)));
    if (drawingEnabled())
        drawPicture(*sprite, target, TextureManager::instance());
}

ScreenFade& screenFade()
{
    static ScreenFade fade;
    return fade;
}

void fadeIn(float duration)
{
    screenFade().fadeIn(duration);
}

void fadeOut(float duration)
{
    screenFade().fadeOut(duration);
}
