#pragma once

#include <SFML/Window/Joystick.hpp>

// One controller slot as a frame reads it.
struct PadState {
    bool connected = false;
    bool start = false;
    bool back = false;
};

constexpr unsigned kPadSlots = sf::Joystick::Count;

// What the player's controllers ask of the film, from their states frame by frame: Start
// pauses or resumes once per press, as Space does; Back held for a second ends the film, as
// Escape does, so that a stray press does not. Only while the window has the focus, as for
// the keys. A controller plugged in or out is simply a slot that appears or goes; one that
// goes in the middle of a hold ends nothing.
class PadControls {
public:
    static constexpr float kBackHoldSeconds = 1.0f;

    struct Actions {
        bool togglePause = false;
        bool end = false;
    };

    // Every slot's state this frame, `dt` seconds after the last one.
    Actions update(const PadState (&pads)[kPadSlots], float dt, bool focused);

    // Every slot's state now, from SFML's joystick states (brought up to date by the window's
    // event polling), by the buttons of PadButtons.hpp.
    static void read(PadState (&pads)[kPadSlots]);

private:
    bool m_startWasDown[kPadSlots] = {};
    bool m_backDown[kPadSlots] = {};
    float m_backHeld[kPadSlots] = {};  // seconds since Back was first seen down
};
