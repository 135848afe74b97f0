#pragma once

#include <string>

// One word of a sung line: its letters appear together `time` seconds after the play starts.
// A word holds no space; punctuation stays attached to it ("wire,").
struct TimedWord {
    float time = 0.0f;  // seconds
    std::string word;
};
