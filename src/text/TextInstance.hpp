#pragma once

#include "text/TextLetter.hpp"
#include "text/TimedWord.hpp"

#include <SFML/Graphics/Text.hpp>

#include <string>
#include <vector>

namespace sf {
class Font;
class RenderTarget;
}
class ParticleSystem;

// One slot of a text style's pool: plays one line (or one list of sung words) at a time,
// as separately animated letters. The style fields are copied from the style's entry when
// the pool is built; the play fields belong to the current play.
class TextInstance {
public:
    // Plays `line` at (x, y) (pixels; y is about the middle of the letters) after `delay`
    // seconds (-1 or 0: at once). Each letter lives `duration` seconds, or the style's
    // "duration" when it is -1; letters start one "letterdelay" apart, plus one "worddelay"
    // per space. Replaces whatever this instance was playing. Allocates the letters.
    void playLine(const std::string& line, float delay, float duration, float x, float y);

    // Plays the words as one line, each followed by one space; every letter of a word starts
    // at that word's time. Echoes the line to standard output. A word that holds a space
    // makes an extra word, which starts at the last word's time.
    void playWords(const std::vector<TimedWord>& words, float delay, float duration, float x, float y);

    // One frame of `dt` seconds: counts the delay down, then ages every letter; the play
    // ends (inUse false) once `remaining` drops below 0. Allocates nothing.
    void update(float dt);

    // Draws the letters, finished ones frozen as they ended, unless the play still waits
    // for its delay. Fully transparent letters are passed over. Allocates nothing.
    void draw(sf::RenderTarget& target) const;

    // Play state.
    const sf::Font* font = nullptr;  // the style's font, not owned
    sf::Text layout;                 // the whole line, only measured, never drawn
    std::string text;
    std::vector<TextLetter> letters;
    float remaining = 0.0f;  // seconds
    bool inUse = false;
    float delay = 0.0f;  // seconds

    // Style, from the entry.
    float duration = 0.0f;  // seconds of a letter's life when a play asks for -1
    int fillR = 0, fillG = 0, fillB = 0;
    int outlineR = 0, outlineG = 0, outlineB = 0;
    int outlineWidth = 0;  // pixels
    unsigned int characterSize = 0;  // pixels
    float letterSpacing = 0.0f;
    float x = 0.0f, y = 0.0f;  // pixels, set by each play
    float xIn = 0.0f, yIn = 0.0f, xOut = 0.0f, yOut = 0.0f;  // pixels
    float scaleIn = 0.0f, scaleOut = 0.0f;
    float rotateIn = 0.0f, rotateOut = 0.0f;  // degrees
    float tweenDurationIn = 0.0f, tweenDurationOut = 0.0f;  // seconds
    float fadeDuration = 0.0f;  // seconds
    int easeIn = 0, easeOut = 0;  // EaseType ids
    bool fadeInEnabled = false;
    bool fadeOutEnabled = false;
    float letterDelay = 0.0f;  // seconds per character
    float wordDelay = 0.0f;    // seconds per space of a line
    ParticleSystem* particlesIn = nullptr;
    ParticleSystem* particlesOut = nullptr;
    int numParticlesIn = 0;
    int numParticlesOut = 0;
    float particlesDurationOut = 0.0f;  // seconds
    float particlesOffsetX = 0.0f, particlesOffsetY = 0.0f;  // pixels

private:
    void prepare(float delay, float duration, float x, float y);
    // Makes the letters of `text`; `words` gives the start times of a sung line, null for a
    // plain line.
    void layOut(const std::vector<TimedWord>* words);
};
