#pragma once

#include <SFML/Graphics/Font.hpp>

#include <string>

namespace sf {
class RenderTarget;
}

// The preview's text in the window's top left corner, over the film: the time, the frame,
// the scene and whether it is paused; below it the one-line notice (a reload, or why it
// failed), and while a seek replays the film, how far it has come.
class PreviewOverlay {
public:
    // Loads the poem's typeface from the game folder; without it the overlay draws no text.
    void loadFont();
    const sf::Font* font() const { return m_fontLoaded ? &m_font : nullptr; }

    // `status` is the first line, `notice` the second (none when empty).
    // An error notice shows in red.
    // `firstLine` moves both down by that many lines.
    void draw(sf::RenderTarget& window, const std::string& status, const std::string& notice,
              bool noticeIsError = false, int firstLine = 0) const;
    // The list of keys, centred in the window.
    void drawHelp(sf::RenderTarget& window) const;

private:
    sf::Font m_font;
    bool m_fontLoaded = false;
};

// The overlay's first line: "12.35 s   frame 891   opening   paused".
// With a speed other than 1 it adds it ("   x0.5"), and "   loop" while looping.
std::string statusLine(double time, long frame, const char* scene, bool paused, double speed = 1.0,
                       bool looping = false);
// The line while a replay runs: "replaying to 83.25 s  45%".
std::string replayLine(double target, double share);
// What a build is doing: "building art: 12/40 Generating images/workshop.png".
std::string buildLine(const std::string& what, int step, int steps, const std::string& doing);
