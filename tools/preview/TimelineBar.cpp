#include "TimelineBar.hpp"

#include "FilmScenes.hpp"
#include "core/FilmOrder.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {
constexpr float kHeight = 44.0f;       // pixels, the whole bar
constexpr float kMargin = 12.0f;       // pixels from the window's sides and bottom
constexpr float kTickHeight = 8.0f;    // pixels, a poem mark along the bar's top
constexpr float kCursorWidth = 3.0f;   // pixels
constexpr unsigned kNameSize = 15;     // pixels, a scene's name
constexpr float kNameInset = 5.0f;     // pixels from a segment's left edge

const sf::Color kBackground(0, 0, 0, 170);
const sf::Color kSegmentA(70, 86, 110, 200);
const sf::Color kSegmentB(96, 110, 130, 200);
const sf::Color kSegmentEdge(20, 20, 24, 255);
const sf::Color kName(235, 235, 235);
const sf::Color kPoemTick(240, 200, 90);
const sf::Color kCursor(255, 70, 60);
const sf::Color kHoverMark(255, 255, 255, 150);
const sf::Color kProgress(255, 255, 255, 90);
const sf::Color kScale(220, 220, 220);
const sf::Color kLoopBand(120, 200, 255, 70);
const sf::Color kLoopOff(160, 160, 160, 50);
const sf::Color kLoopMark(120, 200, 255);
constexpr double kScaleStep = 5.0;   // seconds between the scale's ticks
constexpr int kLabelEvery = 2;       // ticks per labelled tick (every 10 s)
constexpr unsigned kScaleSize = 13;  // pixels, a label
constexpr float kScaleTick = 6.0f;   // pixels, a tick; a labelled one twice as long
constexpr float kScaleStrip = kScaleSize + 12.0f;  // pixels, the scale's strip above the bar
constexpr unsigned kHoverSize = 16;  // pixels, the time under the pointer

double filmStart() { return film::kStart; }
double filmEnd() { return film::kEnd; }

void fill(sf::RenderTarget& window, float x, float y, float width, float height, sf::Color colour)
{
    sf::RectangleShape rectangle({std::max(width, 0.0f), height});
    rectangle.setPosition(x, y);
    rectangle.setFillColor(colour);
    window.draw(rectangle);
}
}

void TimelineBar::layout(float width, float height)
{
    m_left = kMargin;
    m_width = std::max(width - 2.0f * kMargin, 1.0f);
    m_top = height - kMargin - kHeight;
    m_poemStarts = poemStarts();
}

bool TimelineBar::contains(float x, float y) const
{
    return x >= m_left && x <= m_left + m_width && y >= m_top - kScaleStrip && y <= m_top + kHeight;
}

double TimelineBar::timeAt(float x) const
{
    const double share = std::clamp((x - m_left) / m_width, 0.0f, 1.0f);
    return filmStart() + share * (filmEnd() - filmStart());
}

float TimelineBar::xOf(double time) const
{
    const double share = (time - filmStart()) / (filmEnd() - filmStart());
    return m_left + static_cast<float>(std::clamp(share, 0.0, 1.0)) * m_width;
}

void TimelineBar::draw(sf::RenderTarget& window, const sf::Font* font, double time, double hover,
                       bool replaying) const
{
    fill(window, m_left - 2.0f, m_top - 2.0f, m_width + 4.0f, kHeight + 4.0f, kBackground);

    // The scenes, each a segment with its name.
    const auto& scenes = film::kOrder;
    for (std::size_t i = 0; i + 1 < scenes.size(); ++i) {
        const float left = xOf(scenes[i].start);
        const float right = xOf(scenes[i + 1].start);
        fill(window, left, m_top, right - left, kHeight, i % 2 == 0 ? kSegmentA : kSegmentB);
        fill(window, left, m_top, 1.0f, kHeight, kSegmentEdge);
        if (font != nullptr) {
            sf::Text name(film::sceneName(scenes[i].id, "?"), *font, kNameSize);
            name.setFillColor(kName);
            name.setPosition(left + kNameInset, m_top + kHeight - kNameSize - 10.0f);
            if (name.getLocalBounds().width < right - left - kNameInset)
                window.draw(name);
        }
    }

    drawScale(window, font);

    // Where each line and word list of the poem begins.
    for (double start : m_poemStarts)
        fill(window, xOf(start), m_top, 1.0f, kTickHeight, kPoemTick);

    if (replaying)
        fill(window, m_left, m_top, xOf(time) - m_left, kHeight, kProgress);
    if (hover >= filmStart())
        fill(window, xOf(hover) - 1.0f, m_top - 6.0f, 2.0f, kHeight + 12.0f, kHoverMark);
    fill(window, xOf(time) - kCursorWidth / 2.0f, m_top - 6.0f, kCursorWidth, kHeight + 12.0f, kCursor);
}

void TimelineBar::drawScale(sf::RenderTarget& window, const sf::Font* font) const
{
    // Seconds from the opening's first frame, along the bar's bottom edge and above it on a
    // dark strip of their own.
    fill(window, m_left - 2.0f, m_top - kScaleStrip, m_width + 4.0f, kScaleStrip - 2.0f, kBackground);
    const int first = static_cast<int>(std::ceil(filmStart() / kScaleStep));
    for (int tick = first; tick * kScaleStep <= filmEnd(); ++tick) {
        const double time = tick * kScaleStep;
        const bool labelled = tick % kLabelEvery == 0;
        const float length = labelled ? 2.0f * kScaleTick : kScaleTick;
        fill(window, xOf(time), m_top + kHeight - length, 1.0f, length, kScale);
        if (!labelled || font == nullptr)
            continue;
        sf::Text label(std::to_string(static_cast<int>(time)), *font, kScaleSize);
        label.setFillColor(kScale);
        const float width = label.getLocalBounds().width;
        label.setPosition(xOf(time) - width / 2.0f, m_top - kScaleSize - 8.0f);
        window.draw(label);
    }
}

void TimelineBar::drawLoop(sf::RenderTarget& window, double in, double out, bool looping) const
{
    // A mark for each end that is set, and the band between them when both are, in order.
    if (in >= filmStart() && out > in)
        fill(window, xOf(in), m_top, xOf(out) - xOf(in), kHeight, looping ? kLoopBand : kLoopOff);
    for (double end : {in, out})
        if (end >= filmStart())
            fill(window, xOf(end) - 1.0f, m_top - 4.0f, 2.0f, kHeight + 8.0f, kLoopMark);
}

void TimelineBar::drawTimeAt(sf::RenderTarget& window, const sf::Font* font, double time) const
{
    if (font == nullptr)
        return;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", time);
    sf::Text label(text, *font, kHoverSize);
    const sf::FloatRect bounds = label.getLocalBounds();
    const float x = std::clamp(xOf(time) - bounds.width / 2.0f, m_left, m_left + m_width - bounds.width);
    const float y = m_top - kScaleStrip - kHoverSize - 10.0f;
    fill(window, x - 4.0f, y, bounds.width + 8.0f, kHoverSize + 8.0f, kBackground);
    label.setFillColor(kName);
    label.setPosition(x, y);
    window.draw(label);
}
