#include "particles/Particle.hpp"

#include "core/Easing.hpp"
#include "core/Opacity.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>

void Particle::spawn(float startX, float startY, sf::Sprite* shownSprite, float startVx, float startVy,
                     float startAx, float startAy, float startRotation, float startRotationSpeed,
                     float startScale, float startScaleSpeed, bool fadeIn, bool fadeOut,
                     float fadeSeconds, float lifeSeconds, float alphaTarget)
{
    x = startX;
    y = startY;
    sprite = shownSprite;
    vx = startVx;
    vy = startVy;
    ax = startAx;
    ay = startAy;
    rotation = startRotation;
    rotationSpeed = startRotationSpeed;
    scale = startScale;
    scaleSpeed = startScaleSpeed;
    fadeInEnabled = fadeIn;
    fadeOutEnabled = fadeOut;
    fadeTime = fadeSeconds;
    ttl = lifeSeconds;
    age = 0.0f;
    fadingOut = false;

    if (fadeInEnabled) {
        alpha = 0.0f;
        alphaTween.start(0.0f, alphaTarget, fadeTime, SineOut, 0.0f);
    } else {
        // No fade of an earlier life may go on driving alpha.
        alpha = 1.0f;
        alphaTween.active = false;
    }
    alive = true;
}

void Particle::update(float dt)
{
    if (!alive)
        return;
    age += dt;

    // The fade-out starts from whatever opacity the fade-in has reached so far.
    if (fadeOutEnabled && !fadingOut && age >= ttl - fadeTime) {
        fadingOut = true;
        alphaTween.start(alpha, 0.0f, fadeTime, SineOut, 0.0f);
    }
    if (alphaTween.active)
        alphaTween.advance(dt);

    // The move uses the velocity of the previous frame; acceleration comes after.
    x += vx * dt;
    y += vy * dt;
    rotation += rotationSpeed * dt;
    if (alphaTween.active)
        alpha = alphaTween.evaluate();
    vx += ax * dt;
    vy += ay * dt;
    scale += scaleSpeed * dt;

    if (age >= ttl) {
        alphaTween.active = false;
        alive = false;
    }
}

void Particle::draw(sf::RenderTarget& target) const
{
    if (!alive || sprite == nullptr)
        return;
    sprite->setPosition(x, y);
    sprite->setRotation(rotation);
    sprite->setColor(sf::Color(255, 255, 255, alphaByte(alpha)));
    sprite->setScale(scale, scale);
    target.draw(*sprite);
}
