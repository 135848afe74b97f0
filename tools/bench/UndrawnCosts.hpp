#pragma once

#include <string>
#include <vector>

// The film's own logic alone, without the driver: the whole film played through
// Game::advance (no draw call, no GPU work), each frame timed in CPU time of the main thread.
// This is what the game's code costs a frame; its goal is under 1 ms in every scene.
class UndrawnCosts {
public:
    // Starts the game, plays the film to its end at dt = 1 / fps and returns the lines of
    // its table (a line saying why not when the start-up fails).
    static std::vector<std::string> measure(int fps);

    // The same, measured by a fresh process of this executable (`--undrawn`), since the
    // film plays once per process; its lines go straight to standard output. False when it
    // could not be run.
    static bool measureApart(int fps);
};
