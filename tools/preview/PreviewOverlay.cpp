#include "PreviewOverlay.hpp"

#include "PreviewKeys.hpp"
#include "PreviewSession.hpp"

#include "core/FileCheck.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Text.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
const char* const kFont = "assets/fonts/EBGaramond12-Regular.otf";
constexpr unsigned kTextSize = 24;    // pixels, on a window 1080 pixels high or more
constexpr unsigned kSmallestText = 15;  // pixels, on the smallest windows
constexpr float kLeft = 14.0f;        // pixels from the window's left
constexpr float kTop = 10.0f;         // pixels from its top
constexpr float kLineStep = 1.33f;    // text sizes between the lines
constexpr float kPadding = 6.0f;      // pixels of backing around a line
const sf::Color kBacking(0, 0, 0, 160);
const sf::Color kStatus(255, 255, 255);
const sf::Color kNotice(255, 214, 120);
const sf::Color kError(255, 110, 100);
constexpr unsigned kHelpSize = 22;     // pixels
constexpr float kHelpStep = 30.0f;     // pixels between the lines
constexpr float kHelpKeysWidth = 260.0f;  // pixels, the column of keys
constexpr float kHelpWidth = 980.0f;      // pixels
constexpr float kHelpMargin = 10.0f;      // pixels kept free around the list

float widthOf(const sf::String& text, const sf::Font& font, unsigned size)
{
    return sf::Text(text, font, size).getLocalBounds().width;
}

// The overlay's text size on a window of this height: smaller on small windows.
unsigned textSize(float windowHeight)
{
    return std::clamp(static_cast<unsigned>(windowHeight / 36.0f), kSmallestText, kTextSize);
}
}

std::vector<sf::String> wrapWords(const sf::String& text, const sf::Font& font, unsigned size, float width)
{
    std::vector<sf::String> lines;
    sf::String line;
    std::size_t start = 0;
    while (start <= text.getSize()) {
        std::size_t end = text.find(" ", start);
        if (end == sf::String::InvalidPos)
            end = text.getSize();
        sf::String word = text.substring(start, end - start);
        start = end + 1;
        const sf::String joined = line.isEmpty() ? word : line + " " + word;
        if (line.isEmpty() || widthOf(joined, font, size) <= width) {
            line = joined;
        } else {
            lines.push_back(line);
            line = word;
        }
        // A word wider than a line is cut where it must.
        while (line.getSize() > 1 && widthOf(line, font, size) > width) {
            std::size_t fits = line.getSize() - 1;
            while (fits > 1 && widthOf(line.substring(0, fits), font, size) > width)
                --fits;
            lines.push_back(line.substring(0, fits));
            line = line.substring(fits);
        }
    }
    if (!line.isEmpty() || lines.empty())
        lines.push_back(line);
    return lines;
}

void PreviewOverlay::loadFont()
{
    // A named pipe in the font's place would hang the preview before its window shows.
    m_fontLoaded = notAFile(kFont).empty() && m_font.loadFromFile(kFont);
}

void PreviewOverlay::draw(sf::RenderTarget& window, const std::string& status, const std::string& notice,
                          bool noticeIsError) const
{
    std::vector<Notice> notices;
    if (!notice.empty())
        notices.push_back({notice, noticeIsError});
    draw(window, status, notices);
}

void PreviewOverlay::draw(sf::RenderTarget& window, const std::string& status,
                          const std::vector<Notice>& notices) const
{
    if (!m_fontLoaded)
        return;
    const sf::Vector2f size = window.getView().getSize();
    const unsigned textPixels = textSize(size.y);
    const float width = size.x - 2.0f * (kLeft + kPadding);
    float y = kTop;
    auto drawLine = [&](const std::string& line, sf::Color colour) {
        // Compilers and scripts write UTF-8 (quotes, names).
        for (const sf::String& part : wrapWords(sf::String::fromUtf8(line.begin(), line.end()), m_font, textPixels,
                                                width)) {
            sf::Text text(part, m_font, textPixels);
            text.setFillColor(colour);
            text.setPosition(kLeft, y);
            const sf::FloatRect bounds = text.getGlobalBounds();
            sf::RectangleShape backing({bounds.width + 2 * kPadding, bounds.height + 2 * kPadding});
            backing.setPosition(bounds.left - kPadding, bounds.top - kPadding);
            backing.setFillColor(kBacking);
            window.draw(backing);
            window.draw(text);
            y += kLineStep * static_cast<float>(textPixels);
        }
    };
    if (!status.empty())
        drawLine(status, kStatus);
    for (const Notice& notice : notices)
        drawLine(notice.text, notice.error ? kError : kNotice);
}

std::string statusLine(const StatusFacts& facts)
{
    char line[240];
    char rate[32] = "";
    if (facts.speed != 1.0)
        std::snprintf(rate, sizeof rate, "   x%g", facts.speed);
    char marks[80] = "";
    if (facts.markIn > -100.0 && facts.markOut > -100.0)
        std::snprintf(marks, sizeof marks, "   in %.2f s  out %.2f s", facts.markIn, facts.markOut);
    else if (facts.markIn > -100.0)
        std::snprintf(marks, sizeof marks, "   in %.2f s", facts.markIn);
    else if (facts.markOut > -100.0)
        std::snprintf(marks, sizeof marks, "   out %.2f s", facts.markOut);
    std::snprintf(line, sizeof line, "%.2f s   frame %ld   %s%s%s%s%s%s%s", facts.time, facts.frame, facts.scene,
                  facts.ended ? "   end" : "", facts.paused ? "   paused" : "", rate, facts.muted ? "   muted" : "",
                  marks, facts.looping ? "   loop" : "");
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
    // The list at its own size, or smaller to fit the window with a margin.
    const float naturalHeight = kHelpStep * static_cast<float>(kPreviewKeys.size() + 1);
    const float scale = std::min({1.0f, (size.x - 2.0f * kHelpMargin) / kHelpWidth,
                                  (size.y - 2.0f * kHelpMargin) / naturalHeight});
    const float step = kHelpStep * scale;
    const float width = kHelpWidth * scale;
    const auto textPixels = static_cast<unsigned>(std::floor(static_cast<float>(kHelpSize) * scale));
    const float left = std::floor((size.x - width) / 2.0f);
    const float top = std::floor((size.y - naturalHeight * scale) / 2.0f);
    sf::RectangleShape backing({width, naturalHeight * scale});
    backing.setPosition(left, top);
    backing.setFillColor(sf::Color(0, 0, 0, 230));
    window.draw(backing);
    float y = top + step / 2.0f;
    for (const KeyHelp& help : kPreviewKeys) {
        sf::Text keys(help.keys, m_font, textPixels);
        keys.setFillColor(kNotice);
        keys.setPosition(left + 20.0f * scale, y);
        window.draw(keys);
        sf::Text what(help.what, m_font, textPixels);
        what.setFillColor(kStatus);
        what.setPosition(left + (20.0f + kHelpKeysWidth) * scale, y);
        window.draw(what);
        y += step;
    }
}

std::string replayLine(double target, double share)
{
    char line[64];
    std::snprintf(line, sizeof line, "replaying to %.2f s   %d%%", target,
                  static_cast<int>(std::lround(share * 100.0)));
    return line;
}
