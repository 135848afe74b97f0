#include "core/FadeOutEnding.hpp"

#include "core/ScreenFade.hpp"

FadeOutEnding::FadeOutEnding(float showFor, float fadeFor, float handOverAfter)
    : m_showFor(showFor)
    , m_fadeFor(fadeFor)
    , m_handOverAfter(handOverAfter)
{
}

bool FadeOutEnding::handsOver(float dt)
{
    m_timer += dt;
    if (m_fading)
        return m_timer > m_handOverAfter;
    if (m_timer > m_showFor) {
        m_timer = 0.0f;
        m_fading = true;
        fadeOut(m_fadeFor);
    }
    return false;
}
