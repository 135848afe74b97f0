#pragma once

#include "core/FilmOrder.hpp"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// The preview's command line. Only a rebuilt preview restarts, with the same options and the
// time and state to come back to; seeks and reloads stay in the same process.
struct PreviewOptions {
    double at = film::kStart;  // --at: seconds after the opening's first frame to start at
    bool paused = false;  // --paused: start paused there
    int fps = 60;         // --fps: frames a second, the fixed frame time's inverse
    std::string notice;   // --notice: the overlay's second line (what the last run left to say)
    std::string buildProgram = "cmake";  // --build-program: run as cmake is, to build what changed
    bool bench = false;   // --bench: time the moves back, print the figures and quit
    bool help = false;
    // What a session carries over a restart (and --resume brings back): the speed, the
    // loop's marks (seconds) and whether it loops, the mute, and the errors still standing,
    // each as "source=text" (code, pictures, song or data).
    double speed = 1.0;             // --speed
    std::optional<double> loopIn;   // --loop-in SECONDS
    std::optional<double> loopOut;  // --loop-out SECONDS
    bool looping = false;           // --looping
    bool muted = false;             // --muted
    std::vector<std::string> errors;  // --error SOURCE=TEXT, once for each
    bool resume = false;  // --resume: start as the last session in this game folder stopped
    std::string sessionFile = "preview-session.txt";  // --session FILE: where the session is kept

    // False with `error` set for an unknown option or a bad value.
    bool parse(int argc, char** argv, std::string& error);
    // The arguments (without the program) that start a preview at `time`, paused or not,
    // with these options' frame rate, speed, marks, mute and errors, showing `notice`.
    std::vector<std::string> restartArguments(double time, bool pausedThen, const std::string& noticeThen) const;

    static std::string usage();
};

