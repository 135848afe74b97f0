#include "core/Config.hpp"
#include "core/Game.hpp"
#include "core/GameWindow.hpp"
#include "core/PadControls.hpp"
#include "core/PauseMark.hpp"
#include "core/WorkingFolder.hpp"

#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/System/Sleep.hpp>
#include <SFML/Window/Event.hpp>
#include <SFML/Window/Keyboard.hpp>

namespace {
// While paused the picture is only presented again: about 60 times a second is plenty.
const sf::Time kPausedFrame = sf::milliseconds(16);
}

// Only what needs the real world lives here: the window, the clock, the keyboard, the
// controllers and the window's events. Everything else is Game::frame, which the tests and
// tools run too.
int main()
{
    useProgramFolder();
    loadConfig();
    const Config& config = gameConfig();
    Game& state = game();

    sf::RenderWindow window;
    GameWindow gameWindow(window);
    gameWindow.open(config.fullscreen, config.vsync);

    // Black while the assets load.
    window.clear(sf::Color(0, 0, 0, 255));
    window.display();

    if (!state.loadContent())
        return -1;

    PauseMark pauseMark;
    PadControls padControls;
    PadState pads[kPadSlots];
    sf::Clock clock;
    clock.restart();
    while (state.running) {
        // Restarted on every pass, paused or not, so a resumed film does not take the pause's
        // length as one frame.
        const float dt = clock.restart().asSeconds();
        // Escape counts only while the window has the focus: the keyboard's state is the whole
        // desktop's, and with the desktop focused X gives keys to the window under the pointer.
        bool escapeHeld = window.hasFocus() && sf::Keyboard::isKeyPressed(sf::Keyboard::Escape);
        bool closeRequested = false;
        sf::Event event;
        while (window.pollEvent(event)) {
            if (event.type == sf::Event::Closed) {
                closeRequested = true;
            } else if (event.type == sf::Event::Resized) {
                gameWindow.fitFilm();
            } else if (event.type == sf::Event::KeyPressed) {
                // A tap shorter than a frame is over before the held-key check sees it.
                if (event.key.code == sf::Keyboard::Escape)
                    escapeHeld = escapeHeld || window.hasFocus();
                else if (event.key.code == sf::Keyboard::Space)
                    state.togglePause();
                else if (event.key.code == sf::Keyboard::M)
                    state.toggleMute();
                else if (event.key.code == sf::Keyboard::F11 || event.key.code == sf::Keyboard::F)
                    gameWindow.toggleFullscreen();
            }
        }
        // The controllers' states are the ones SFML read while polling the events above.
        PadControls::read(pads);
        const PadControls::Actions padActions = padControls.update(pads, dt, window.hasFocus());
        if (padActions.togglePause)
            state.togglePause();
        state.applyInput(escapeHeld || padActions.end, closeRequested);
        state.frame(dt, window);
        if (state.paused)
            pauseMark.draw(window);
        window.display();
        if (state.paused && state.running)
            sf::sleep(kPausedFrame);
    }
    window.close();
    return 0;
}
