#include "core/PadControls.hpp"

#include "core/PadButtons.hpp"

namespace {
// Frame times summed in float fall a hair short of a whole second.
constexpr float kHoldTolerance = 0.001f;
}

PadControls::Actions PadControls::update(const PadState (&pads)[kPadSlots], float dt, bool focused)
{
    Actions actions;
    for (unsigned slot = 0; slot < kPadSlots; ++slot) {
        const PadState& pad = pads[slot];
        const bool start = focused && pad.connected && pad.start;
        const bool back = focused && pad.connected && pad.back;
        if (start && !m_startWasDown[slot])
            actions.togglePause = true;
        m_startWasDown[slot] = pad.connected && pad.start;
        // The hold counts from the first frame that sees Back down.
        m_backHeld[slot] = back && m_backDown[slot] ? m_backHeld[slot] + dt : 0.0f;
        m_backDown[slot] = back;
        if (back && m_backHeld[slot] + kHoldTolerance >= kBackHoldSeconds)
            actions.end = true;
    }
    return actions;
}

void PadControls::read(PadState (&pads)[kPadSlots])
{
    constexpr unsigned start = padButtonNumber(PadAction::PauseOrResume);
    constexpr unsigned back = padButtonNumber(PadAction::End);
    for (unsigned slot = 0; slot < kPadSlots; ++slot) {
        PadState& pad = pads[slot];
        pad.connected = sf::Joystick::isConnected(slot);
        pad.start = pad.connected && sf::Joystick::isButtonPressed(slot, start);
        pad.back = pad.connected && sf::Joystick::isButtonPressed(slot, back);
    }
}
