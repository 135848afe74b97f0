#include "PreviewOverlay.hpp"

#include "PreviewKeys.hpp"

#include "core/FileCheck.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
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
const sf::Color kError(255, 110, 100);
constexpr unsigned kHelpSize = 22;     // pixels
constexpr float kHelpStep = 30.0f;     // pixels between the lines
constexpr float kHelpKeysWidth = 260.0f;  // pixels, the column of keys
constexpr float kHelpWidth = 980.0f;      // pixels
}

void PreviewOverlay::loadFont()
{
    // A named pipe in the font's place would hang the preview before its window shows.
    m_fontLoaded = notAFile(kFont).empty() && m_font.loadFromFile(kFont);
}

void PreviewOverlay::draw(sf::RenderTarget& window, const std::string& status, const std::string& notice,
                          bool noticeIsError, int firstLine) const
{
    if (!m_fontLoaded)
        return;
    float y = kTop + kLineStep * static_cast<float>(firstLine);
    for (const std::string* line : {&status, &notice}) {
        if (line->empty())
            continue;
        // Compilers and scripts write UTF-8 (quotes, names).
        sf::Text text(sf::String::fromUtf8(line->begin(), line->end()), m_font, kTextSize);
        text.setFillColor(line == &status ? kStatus : noticeIsError ? kError : kNotice);
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

std::string statusLine(double time, long frame, const char* scene, bool paused, double speed, bool looping)
{
    char line[160];
    char rate[32] = "";
    if (speed != 1.0)
        std::snprintf(rate, sizeof rate, "   x%g", speed);
    std::snprintf(line, sizeof line, "%.2f s   frame %ld   %s%s%s%s", time, frame, scene, paused ? "   paused" : "",
                  rate, looping ? "   loop" : "");
    return line;
}

std::string buildLine(const std::string& what, int step, int steps, const std::string& doing)
{
    std::string line = "building " + what;
    if (steps > 0)
        line += ": " + std::to_string(step) + "/" + std::to_string(steps) + " " + doing;
    return line.size() > 120 ? line.substr(0, 117) + "..." : line;
}

void PreviewOverlay::drawHelp(sf::RenderTarget& window) const
{
    if (!m_fontLoaded)
        return;
    const sf::Vector2f size = window.getView().getSize();
    const float height = kHelpStep * static_cast<float>(kPreviewKeys.size() + 1);
    const float left = std::max((size.x - kHelpWidth) / 2.0f, 0.0f);
    const float top = std::max((size.y - height) / 2.0f, 0.0f);
    sf::RectangleShape backing({kHelpWidth, height + kHelpStep});
    backing.setPosition(left, top - kHelpStep / 2.0f);
    backing.setFillColor(sf::Color(0, 0, 0, 210));
    window.draw(backing);
    float y = top;
    for (const KeyHelp& help : kPreviewKeys) {
        sf::Text keys(help.keys, m_font, kHelpSize);
        keys.setFillColor(kNotice);
        keys.setPosition(left + 20.0f, y);
        window.draw(keys);
        sf::Text what(help.what, m_font, kHelpSize);
        what.setFillColor(kStatus);
        what.setPosition(left + 20.0f + kHelpKeysWidth, y);
        window.draw(what);
        y += kHelpStep;
    }
}

std::string replayLine(double target, double share)
{
    char line[64];
    std::snprintf(line, sizeof line, "replaying to %.2f s   %d%%", target,
                  static_cast<int>(std::lround(share * 100.0)));
    return line;
}
