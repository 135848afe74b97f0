#include "core/PauseMark.hpp"

#include <SFML/Graphics/RenderWindow.hpp>

namespace {
constexpr float kBarWidth = 8.0f;   // window pixels
constexpr float kBarHeight = 28.0f;
constexpr float kBarGap = 8.0f;
constexpr float kMargin = 28.0f;    // from the window's top and right edges
const sf::Color kColour(255, 255, 255, 110);
}

PauseMark::PauseMark()
    : m_bar(sf::Vector2f(kBarWidth, kBarHeight))
{
    m_bar.setFillColor(kColour);
}

void PauseMark::draw(sf::RenderWindow& window)
{
    const sf::View film = window.getView();
    // The window's own pixels, at its size now (the default view keeps the size it was made at).
    const float width = static_cast<float>(window.getSize().x);
    const float height = static_cast<float>(window.getSize().y);
    window.setView(sf::View(sf::FloatRect(0.0f, 0.0f, width, height)));
    const float right = width - kMargin;
    m_bar.setPosition(right - 2.0f * kBarWidth - kBarGap, kMargin);
    window.draw(m_bar);
    m_bar.setPosition(right - kBarWidth, kMargin);
    window.draw(m_bar);
    window.setView(film);
}
