#pragma once

#include "core/Letterbox.hpp"

#include <optional>

// The desktop's work area and the frame a window of SFML's default style (title bar, close and
// resize) gets there, asked of Windows or of the X window manager before the game's window
// exists. Nothing where the desktop does not say (an X display without a window manager):
// the game then keeps to the whole desktop. `desktop` is the desktop mode's size; an X work
// area reaching past it (over several monitors) is cut to it.
std::optional<WorkArea> desktopWorkArea(sf::Vector2u desktop);
