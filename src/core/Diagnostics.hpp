#pragma once

#include <string>

// Writes one diagnostic line to standard error and flushes it. Every message of the game
// goes through here, never to the window.
void reportLine(const std::string& line);
