#include "text/TextLetter.hpp"

#include "core/Easing.hpp"
#include "particles/ParticleSystem.hpp"
#include "particles/Random.hpp"
#include "text/TextInstance.hpp"

namespace {
// Only the low 8 bits of a colour component or an alpha are drawn ("fillcolor_r": 300 is 44).
sf::Uint8 lowByte(int value)
{
    return static_cast<sf::Uint8>(value & 0xFF);
}
}

TextLetter::TextLetter(const TextInstance& owner, char letter, sf::Vector2f position, float halfHeight,
                       float delay, float lifeSeconds)
    : character(1, letter)
    , x(position.x)
    , y(position.y)
    , life(lifeSeconds)
    , fadeDuration(owner.fadeDuration)
    , outStart(owner.tweenDurationOut)
    , fadeInEnabled(owner.fadeInEnabled)
    , fadeOutEnabled(owner.fadeOutEnabled)
    , startDelay(delay)
    , particlesOffsetX(owner.particlesOffsetX)
    , particlesOffsetY(owner.particlesOffsetY)
    , fillR(owner.fillR), fillG(owner.fillG), fillB(owner.fillB)
    , outlineR(owner.outlineR), outlineG(owner.outlineG), outlineB(owner.outlineB)
    , outlineWidth(owner.outlineWidth)
    , particlesIn(owner.particlesIn)
    , particlesOut(owner.particlesOut)
    , numParticlesIn(owner.numParticlesIn)
    , numParticlesOut(owner.numParticlesOut)
    , particlesDurationOut(owner.particlesDurationOut)
{
    if (owner.font != nullptr)
        text.setFont(*owner.font);
    text.setCharacterSize(owner.characterSize);
    text.setString(sf::String(character));
    text.setOrigin(0.0f, halfHeight);
    text.setPosition(x, y);
    text.setFillColor(sf::Color(lowByte(fillR), lowByte(fillG), lowByte(fillB), 0));
    // The outline is invisible until the first living update gives it its alpha. Its
    // thickness is set now and the glyphs built, so that frames allocate nothing later.
    text.setOutlineColor(sf::Color(lowByte(outlineR), lowByte(outlineG), lowByte(outlineB), 0));
    text.setOutlineThickness(static_cast<float>(outlineWidth));
    text.getLocalBounds();

    fadeInTween.set(0.0f, 1.0f, fadeDuration, SineOut, 0.0f);
    fadeInTween.play();
    fadeOutTween.set(1.0f, 0.0f, fadeDuration, SineOut, 0.0f);
    prepareMotions(owner);
}

void TextLetter::prepareMotions(const TextInstance& owner)
{
    const float in = owner.tweenDurationIn;
    const float out = owner.tweenDurationOut;
    xInTween.set(x + owner.xIn, x, in, owner.easeIn, 0.0f);
    yInTween.set(y + owner.yIn, y, in, owner.easeIn, 0.0f);
    scaleInTween.set(1.0f + owner.scaleIn, 1.0f, in, owner.easeIn, 0.0f);
    rotateInTween.set(0.0f + owner.rotateIn, 0.0f, in, owner.easeIn, 0.0f);
    xInTween.play();
    yInTween.play();
    scaleInTween.play();
    rotateInTween.play();

    xOutTween.set(x, x + owner.xOut, out, owner.easeOut, 0.0f);
    yOutTween.set(y, y + owner.yOut, out, owner.easeOut, 0.0f);
    scaleOutTween.set(1.0f, 1.0f + owner.scaleOut, out, owner.easeOut, 0.0f);
    rotateOutTween.set(0.0f, owner.rotateOut, out, owner.easeOut, 0.0f);
}

void TextLetter::update(float dt)
{
    if (!alive)
        return;
    if (startDelay > 0.0f) {
        startDelay -= dt;
        return;
    }
    life -= dt;
    startEnding();
    if (numParticlesOut > 0 && life <= particlesDurationOut && particlesOut != nullptr)
        burst(*particlesOut, numParticlesOut);
    // A letter that dies still takes this frame's tweens, so its last state is drawn.
    if (life <= 0.0f)
        alive = false;
    advanceTweens(dt);
    applyToText();
    if (numParticlesIn > 0 && particlesIn != nullptr)
        burst(*particlesIn, numParticlesIn);
}

void TextLetter::startEnding()
{
    // Once finished, these tweens are played again every frame and stay at their end value.
    if (outStart > 0.0f && !xOutTween.active && life <= outStart) {
        xOutTween.play();
        yOutTween.play();
        rotateOutTween.play();
        scaleOutTween.play();
    }
    if (fadeOutEnabled && !fadeOutTween.active && life <= fadeDuration)
        fadeOutTween.play();
}

void TextLetter::advanceTweens(float dt)
{
    // Each property takes the value of the last active tween that drives it: out beats in.
    struct Drive {
        Tween& tween;
        float& property;
    };
    const Drive drives[] = {
        {fadeInTween, alpha},   {fadeOutTween, alpha},     {xInTween, x},           {xOutTween, x},
        {yInTween, y},          {yOutTween, y},            {scaleInTween, scale},   {scaleOutTween, scale},
        {rotateInTween, rotation}, {rotateOutTween, rotation},
    };
    for (const Drive& drive : drives) {
        if (!drive.tween.active)
            continue;
        drive.tween.update(dt);
        drive.property = drive.tween.current;
    }
}

void TextLetter::applyToText()
{
    const sf::Uint8 a = lowByte(static_cast<int>(alpha * 255.0f));
    text.setPosition(x, y);
    text.setRotation(rotation);
    text.setScale(scale, scale);
    text.setFillColor(sf::Color(lowByte(fillR), lowByte(fillG), lowByte(fillB), a));
    text.setOutlineThickness(static_cast<float>(outlineWidth));
    text.setOutlineColor(sf::Color(lowByte(outlineR), lowByte(outlineG), lowByte(outlineB), a));
}

void TextLetter::burst(ParticleSystem& system, int& count) const
{
    // A random point of the letter's unturned, unscaled box, r1 drawn before r2.
    const sf::Vector2f origin = text.getOrigin();
    const sf::FloatRect bounds = text.getLocalBounds();
    while (count > 0) {
        --count;
        const float r1 = randomFraction();
        const float r2 = randomFraction();
        const float px = (x - origin.x) + r1 * bounds.width + particlesOffsetX;
        const float py = (y - origin.y) + r2 * bounds.height + particlesOffsetY;
        system.emitAt(px, py);
    }
}
