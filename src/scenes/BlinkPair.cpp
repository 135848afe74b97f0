#include "scenes/BlinkPair.hpp"

void BlinkPair::setFrames(sf::Sprite* frame0, sf::Sprite* frame1)
{
    m_frame0 = frame0;
    m_frame1 = frame1;
}

int BlinkPair::step(float dt)
{
    return m_blinkTime > 0.0f ? stepBlink(dt) : stepWait(dt);
}

sf::Sprite* BlinkPair::frame(int index) const
{
    return index == 0 ? m_frame0 : m_frame1;
}

int BlinkPair::stepBlink(float dt)
{
    m_blinkTime -= dt;
    if (m_blinkTime < 0.0f) {
        m_blinkTime = 0.0f;
        return 0;
    }
    // A blink that runs out exactly on this frame already shows frame 0.
    return m_blinkTime > 0.0f ? 1 : 0;
}

int BlinkPair::stepWait(float dt)
{
    m_elapsed += dt;
    if (m_elapsed <= kWaits[m_index])
        return 0;
    m_elapsed = 0.0f;
    m_blinkTime = kBlinkLength;
    m_index = m_index + 1 == kWaits.size() ? 0 : m_index + 1;
    return 1;
}
