#pragma once

#include <SFML/Window/Event.hpp>
#include <SFML/Window/Window.hpp>

#include <sys/types.h>

#include <vector>

// The keys pressed while a rebuilt preview takes over. Just before the old program becomes
// the new one (an exec: the same process, so a terminal's job and Ctrl+C stay), it forks a
// keeper, which alone keeps the old window open and records the keys typed in it. Once the
// new program's window is shown it takes the keyboard (when the old window had it) and
// asks the keeper to close; the keeper hands over what it recorded and ends. The new program
// handles those events first, then its own: no key is lost and their order stays.
class HandOver {
public:
    // Old program, at the hand-over: forks the keeper of `window` and names it in the
    // environment the new program starts with. False, with a line said, when no keeper could
    // be made: the hand-over goes on without one.
    static bool keep(sf::Window& window);

    // New program: the keeper named in its environment, if any (the name is taken out of the
    // environment, for the programs the preview starts).
    HandOver();
    HandOver(const HandOver&) = delete;
    HandOver& operator=(const HandOver&) = delete;

    // With `window` shown: takes the keyboard from the old window if that had it, ends the
    // keeper (waiting a few seconds at most) and returns what it recorded, oldest first.
    // Nothing, at once, when no keeper was named.
    std::vector<sf::Event> take(const sf::Window& window);

private:
    // Moves the keyboard to `window` if the old window has it, then asks the old window to
    // close; false when the display cannot be reached.
    bool askToClose(const sf::Window& window) const;
    std::vector<sf::Event> readKept();

    int m_kept = -1;  // the pipe the keeper writes its events into
    pid_t m_keeper = -1;
    unsigned long m_oldWindow = 0;
};
