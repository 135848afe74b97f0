#pragma once

#include <SFML/Graphics/Font.hpp>
#include <SFML/System/String.hpp>

#include <string>
#include <vector>

struct Notice;

namespace sf {
class RenderTarget;
}

// The preview's text in the window's top left corner, over the film: the time, the frame,
// the scene and whether it is paused; below it the notices (a reload, or why something
// failed), and while a seek replays the film, how far it has come. Lines wider than the
// window wrap at spaces; on a small window the text is smaller.
class PreviewOverlay {
public:
    // Loads the poem's typeface from the game folder; without it the overlay draws no text.
    void loadFont();
    const sf::Font* font() const { return m_fontLoaded ? &m_font : nullptr; }

    // `status` is the first line, `notice` the second (none when empty).
    // An error notice shows in red.
    void draw(sf::RenderTarget& window, const std::string& status, const std::string& notice,
              bool noticeIsError = false) const;
    // The status, then each notice (errors in red).
    void draw(sf::RenderTarget& window, const std::string& status, const std::vector<Notice>& notices) const;
    // The list of keys, centred in the window, smaller where the window is too small for it.
    void drawHelp(sf::RenderTarget& window) const;

private:
    sf::Font m_font;
    bool m_fontLoaded = false;
};

// `text` in lines no wider than `width` pixels in `font` at `size`, broken at spaces (a word
// longer than a line where it must).
std::vector<sf::String> wrapWords(const sf::String& text, const sf::Font& font, unsigned size, float width);

// What the overlay's first line says.
struct StatusFacts {
    double time = 0.0;
    long frame = 0;
    const char* scene = "";
    bool paused = false;
    bool ended = false;
    double speed = 1.0;
    bool muted = false;
    double markIn = -1000.0;   // seconds; below the film's start when not marked
    double markOut = -1000.0;
    bool looping = false;
};

// The overlay's first line: "12.35 s   frame 891   opening   paused".
// With a speed other than 1 it adds it ("   x0.5"), "   muted", the marks ("   in 58.00 s
// out 62.00 s") and "   loop" while looping; on the last frame "   end".
std::string statusLine(const StatusFacts& facts);
// The line while a replay runs: "replaying to 83.25 s  45%".
std::string replayLine(double target, double share);
// What a build is doing: "building art: 12/40 Generating images/workshop.png".
std::string buildLine(const std::string& what, int step, int steps, const std::string& doing);
