#include "core/GameWindow.hpp"

#include "core/DesktopWorkArea.hpp"
#include "core/Letterbox.hpp"
#include "core/Screen.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Window/VideoMode.hpp>

#include <optional>

GameWindow::GameWindow(sf::RenderWindow& window)
    : m_window(window)
{
}

void GameWindow::open(bool fullscreen, bool vsync)
{
    m_fullscreen = fullscreen;
    m_vsync = vsync;
    const sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
    const sf::Vector2u desktopSize(desktop.width, desktop.height);
    if (fullscreen) {
        // The desktop's own mode is always valid: nothing switches and nothing is reported.
        m_window.create(desktop, "Drennmoor", sf::Style::Fullscreen, sf::ContextSettings());
    } else {
        const WindowPlacement placement = windowedPlacement(desktopSize);
        m_window.create(sf::VideoMode(placement.size.x, placement.size.y, desktop.bitsPerPixel), "Drennmoor",
                        sf::Style::Default, sf::ContextSettings());
        m_window.setPosition(placement.position);
    }
    m_window.setVerticalSyncEnabled(vsync);
    m_window.setActive(true);
    m_window.setMouseCursorVisible(false);
    // A held key must not pause and resume, or switch modes, over and over.
    m_window.setKeyRepeatEnabled(false);
    fitFilm();
}

WindowPlacement windowedPlacement(sf::Vector2u desktop)
{
    // Sized and placed before it shows, so that no window manager has to move or shrink it.
    const std::optional<WorkArea> workArea = desktopWorkArea(desktop);
    if (!workArea) {
        const sf::Vector2u size = windowedSize(desktop);
        return {size, centredPosition(size, desktop)};
    }
    const sf::Vector2u size = windowedSize(*workArea);
    return {size, centredPosition(size, *workArea)};
}

void GameWindow::toggleFullscreen()
{
    open(!m_fullscreen, m_vsync);
}

void GameWindow::fitFilm()
{
    ::fitFilm(m_window);
}

void fitFilm(sf::RenderTarget& target)
{
    const sf::Vector2u size = target.getSize();
    target.setView(letterboxView(size));
    // Scaled, the picture is filtered smoothly; at its own size every pixel stays as drawn.
    const sf::IntRect shown = letterboxPixels(size);
    renderTexture().setSmooth(shown.width != static_cast<int>(kScreenWidth) ||
                              shown.height != static_cast<int>(kScreenHeight));
}
