#pragma once

#include <array>
#include <cstddef>

namespace sf {
class Sprite;
}

// A picture that flickers: it shows frame 0 and, after each wait, frame 1 for a short blink.
// The waits are used in turn and then again from the first. Its clock runs only while the
// picture is stepped, so each picture starts its cycle when it is first shown.
class BlinkPair {
public:
    // Seconds waited before each blink, used cyclically.
    static constexpr std::array<float, 5> kWaits = {2.0f, 0.1f, 0.1f, 4.0f, 1.0f};
    // Seconds that frame 1 shows.
    static constexpr float kBlinkLength = 0.15f;

    // The two frames (either may be null: that frame is then not drawn).
    void setFrames(sf::Sprite* frame0, sf::Sprite* frame1);

    // Moves the clock on by dt seconds and returns the frame to show now, 0 or 1. A frame
    // time longer than a wait still gives exactly one blink, and the next wait starts from 0.
    int step(float dt);
    // The sprite of frame 0 or 1 (null when the registry had none).
    sf::Sprite* frame(int index) const;

private:
    int stepBlink(float dt);
    int stepWait(float dt);

    sf::Sprite* m_frame0 = nullptr;
    sf::Sprite* m_frame1 = nullptr;
    float m_elapsed = 0.0f;    // seconds waited since the last blink ended
    std::size_t m_index = 0;
    float m_blinkTime = 0.0f;  // seconds left of the blink now showing; 0 when none
};
