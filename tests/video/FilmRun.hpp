#pragma once

#include <string>

// drennmoor-film and ffmpeg's tools run as the player would run them from the game folder
// (the tests' working directory).

struct Outcome {
    int status = -1;
    std::string output;
};

// Runs a shell command; `output` is its standard output (add 2>&1 for the errors too).
Outcome run(const std::string& command);

inline const std::string kFilm = "./drennmoor-film";
