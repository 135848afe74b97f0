#include "PreviewOverlay.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <cstdio>

namespace {
const char* const kFont = "assets/fonts/EBGaramond12-Regular.otf";
constexpr unsigned kTextSize = 24;    // pixels
constexpr float kLeft = 14.0f;        // pixels from the window's left
constexpr float kTop = 10.0f;         // pixels from its top
constexpr float kLineStep = 32.0f;    // pixels between the lines
constexpr float kPadding = 6.0f;      // pixels of backing around a line
const sf::Color kBacking(0, 0, 0, 160);
const sf::Color kStatus(255, 255, 255);
const sf::Color kNotice(255, 214, 120);
}

void PreviewOverlay::loadFont()
{
    m_fontLoaded = m_font.loadFromFile(kFont);
}

void PreviewOverlay::draw(sf::RenderTarget& window, const std::string& status, const std::string& notice) const
{
    if (!m_fontLoaded)
        return;
    float y = kTop;
    for (const std::string* line : {&status, &notice}) {
        if (line->empty())
            continue;
        sf::Text text(*line, m_font, kTextSize);
        text.setFillColor(line == &status ? kStatus : kNotice);
        text.setPosition(kLeft, y);
        const sf::FloatRect bounds = text.getGlobalBounds();
        sf::RectangleShape backing({bounds.width + 2 * kPadding, bounds.height + 2 * kPadding});
        backing.setPosition(bounds.left - kPadding, bounds.top - kPadding);
        backing.setFillColor(kBacking);
        window.draw(backing);
        window.draw(text);
        y += kLineStep;
    }
}

std::string statusLine(double time, long frame, const char* scene, bool paused)
{
    char line[128];
    std::snprintf(line, sizeof line, "%.2f s   frame %ld   %s%s", time, frame, scene,
                  paused ? "   paused" : "");
    return line;
}

std::string replayLine(double target, double share)
{
    char line[64];
    std::snprintf(line, sizeof line, "replaying to %.2f s   %d%%", target,
                  static_cast<int>(std::lround(share * 100.0)));
    return line;
}
