#pragma once

#include <SFML/Graphics/Rect.hpp>
#include <SFML/Graphics/View.hpp>
#include <SFML/System/Vector2.hpp>

// How the 1920 x 1080 film fits a window of any size: scaled uniformly into the largest
// 16:9 rectangle of the window, centred, with black bars around it.

// That rectangle as a fraction of the window (an sf::View viewport). A window of zero width
// or height gets the whole window: nothing can be shown there anyway.
sf::FloatRect letterboxViewport(sf::Vector2u windowSize);

// That rectangle in whole window pixels (left, top, width, height).
sf::IntRect letterboxPixels(sf::Vector2u windowSize);

// The film's 1920 x 1080 view, shown in that rectangle.
sf::View letterboxView(sf::Vector2u windowSize);

// The size of the windowed game on a desktop of `desktop` pixels that names no work area (an
// X display without a window manager): 1920 x 1080 when the desktop has room for it,
// otherwise the largest 16:9 size that fits inside the desktop with room to spare for a panel
// and the title bar.
sf::Vector2u windowedSize(sf::Vector2u desktop);

// Where a window of `size` sits centred on a desktop of `desktop` pixels; never above or left
// of the desktop's corner.
sf::Vector2i centredPosition(sf::Vector2u size, sf::Vector2u desktop);

// What the title bar and borders add around a window's client area, in pixels.
struct WindowFrame {
    unsigned left = 0, top = 0, right = 0, bottom = 0;
};

// The part of the desktop a window may take (the screen without its panels or taskbar),
// in desktop pixels, and the frame a window of the game's style gets there.
struct WorkArea {
    sf::IntRect area;
    WindowFrame frame;
};

// The size of the windowed game's client area where the desktop names its work area: the
// largest 16:9 size, at most 1920 x 1080, whose frame fits inside that area; at least 1 x 1.
sf::Vector2u windowedSize(const WorkArea& workArea);

// Where a window of client size `size` goes so that its frame is centred in the work area,
// never above or left of the area's corner: the frame's top-left corner, which is what both
// Windows and an X window manager place.
sf::Vector2i centredPosition(sf::Vector2u size, const WorkArea& workArea);
