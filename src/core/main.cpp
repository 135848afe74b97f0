#include "core/Config.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

// Only what needs the real world lives here: the window, the clock, the keyboard and the
// window's events. Everything else is Game::frame, which the tests and tools run too.
int main()
{
    loadConfig();
    const Config& config = gameConfig();
    Game& state = game();

    sf::RenderWindow window;
    state.gameWindow = &window;
    window.create(sf::VideoMode(kScreenWidth, kScreenHeight, 32), "Drennmoor",
                  config.fullscreen ? sf::Style::Fullscreen : sf::Style::Default, sf::ContextSettings());
    window.setVerticalSyncEnabled(config.vsync);
    window.setActive(true);
    window.setMouseCursorVisible(false);

    // Black while the assets load.
    window.clear(sf::Color(0, 0, 0, 255));
    window.display();

    if (!state.loadContent())
        return -1;

    sf::Clock clock;
    clock.restart();
    while (state.running) {
        const float dt = clock.restart().asSeconds();
        const bool escapeHeld = sf::Keyboard::isKeyPressed(sf::Keyboard::Escape);
        bool closeRequested = false;
        sf::Event event;
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed)
                closeRequested = true;
        }
        state.applyInput(escapeHeld, closeRequested);
        state.frame(dt, window);
        window.display();
    }
    window.close();
    return 0;
}
