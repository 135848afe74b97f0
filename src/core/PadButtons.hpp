#pragma once

#include <SFML/Window/Joystick.hpp>

// The buttons of an Xbox-style controller that the film answers to, as SFML numbers them: on
// Linux through the xpad driver's joystick device (A, B, X, Y, LB, RB, Back, Start, Guide, ...),
// on Windows through the system's joystick interface (A, B, X, Y, LB, RB, Back, Start, ...).
// Handheld PCs show their controls to every game as such a pad.
enum class PadAction { PauseOrResume, End };

struct PadButton {
    PadAction action;
    const char* name;  // as printed on the pad; Start is also Options or Menu, Back is View or Select
    unsigned linuxNumber;
    unsigned windowsNumber;
};

inline constexpr PadButton kPadButtons[] = {
    {PadAction::PauseOrResume, "Start", 7, 7},
    {PadAction::End, "Back", 6, 6},
};

// The number SFML gives the button of `action` on this platform.
constexpr unsigned padButtonNumber(PadAction action)
{
    for (const PadButton& button : kPadButtons) {
        if (button.action == action) {
#ifdef _WIN32
            return button.windowsNumber;
#else
            return button.linuxNumber;
#endif
        }
    }
    return sf::Joystick::ButtonCount;
}
