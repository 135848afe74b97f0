#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/Text.hpp>

#include <vector>

namespace sf {
class RenderTarget;
}

// The bar along the bottom of the preview's window, drawn over the film in window pixels:
// the scenes as named segments, a scale of seconds, a tick where each line and word list of the poem starts, the
// frame shown, and where a drag on it would seek. It maps a pointer's x to a time.
class TimelineBar {
public:
    // Lays the bar out along the bottom of a window `width` x `height` pixels.
    void layout(float width, float height);
    // True when the window pixel (x, y) lies on the bar or on its scale above it.
    bool contains(float x, float y) const;
    // The film time under window x, seconds, clamped to the film.
    double timeAt(float x) const;
    // Draws the bar with the frame shown at `time`; `hover` >= the film's start marks the time
    // under the pointer, and while `replaying` the bar fills up to `time`.
    void draw(sf::RenderTarget& window, const sf::Font* font, double time, double hover, bool replaying) const;

    // The loop's marks at `in` and `out` (seconds; below the film's start: not set), and the
    // band between them, brighter while `looping`. Drawn after draw().
    void drawLoop(sf::RenderTarget& window, double in, double out, bool looping) const;
    // The time under the pointer, above the bar at `time`.
    void drawTimeAt(sf::RenderTarget& window, const sf::Font* font, double time) const;

private:
    float xOf(double time) const;
    // Seconds under the bar: a tick every 5 s, a label every 10 s.
    void drawScale(sf::RenderTarget& window, const sf::Font* font) const;

    float m_left = 0.0f;
    float m_top = 0.0f;
    float m_width = 0.0f;
    std::vector<double> m_poemStarts;  // seconds
};
