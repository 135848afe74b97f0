#pragma once

#include <SFML/System/Vector2.hpp>

namespace sf {
class RenderTarget;
class RenderWindow;
}

// Shows the film letterboxed in `target` at its size now: the film's view with its viewport,
// and the off-screen picture filtered smoothly when it is scaled.
void fitFilm(sf::RenderTarget& target);

// Where a window showing the film goes on a desktop of `desktop` pixels (the desktop mode's
// size): the size of its client area, and the position of its frame's top-left corner for
// sf::Window::setPosition. See GameWindow.
struct WindowPlacement {
    sf::Vector2u size;
    sf::Vector2i position;
};
WindowPlacement windowedPlacement(sf::Vector2u desktop);

// The player's window and how the film fits it. Windowed, it is the largest 16:9 window, at
// most 1920 x 1080, whose frame fits the desktop's work area (the screen without its panels or
// taskbar), centred there by the game itself; it can be resized or maximised. Fullscreen, it takes the desktop's own video mode,
// so the monitor never switches modes. Either way the film is letterboxed into it, never
// stretched.
class GameWindow {
public:
    explicit GameWindow(sf::RenderWindow& window);

    // Creates the window (again, when it exists) titled "Drennmoor", windowed or fullscreen,
    // with vertical sync as given, the mouse cursor hidden and no key repeat, and fits the
    // film into it. Textures, shaders and the off-screen picture outlive a re-creation.
    void open(bool fullscreen, bool vsync);
    // The viewer's F11 or F: the other of windowed and fullscreen, the film going on.
    void toggleFullscreen();
    // After the window changed size: the film's view and its filtering follow the new size.
    void fitFilm();

private:
    sf::RenderWindow& m_window;
    bool m_fullscreen = false;
    bool m_vsync = true;
};
