#pragma once

#include <string>

// The film renderer and the benchmark live in the game folder beside the game and its
// assets, and run there wherever they are started from. False (after one line that names
// `tool`) when the folder cannot be entered.
bool enterGameFolder(const std::string& tool);
