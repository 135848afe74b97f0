#pragma once

#include <SFML/Graphics/RectangleShape.hpp>

namespace sf {
class RenderWindow;
}

// A small, quiet pause sign (two bars) in the window's top-right corner, drawn over the
// finished window in window pixels while the film is paused, never into the film's picture.
class PauseMark {
public:
    PauseMark();
    // Draws the mark into `window`'s top-right corner; the window's view is left as it was.
    void draw(sf::RenderWindow& window);

private:
    sf::RectangleShape m_bar;
};
