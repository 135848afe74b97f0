#pragma once

#include <string>

// Reads a time of the film that a person gave (a command line's "--at 83.5", a time typed in
// the preview): seconds after the opening scene's first frame, the whole text one decimal
// number from the lead-in's start (-2.5) to the film's end (200), both of FilmFrames.
// Empty, with `time` set, when it is one; otherwise the one-line reason, naming the text:
// "12.5.3 is not a number of seconds", "nan is not a finite number",
// "1e9 s is after the film's end (200 s)".
std::string readFilmTime(const std::string& text, double& time);
// The same for the value of a command line's `option`: false, with `error` set to
// "<option>: <reason>", for a text that is no time of the film.
bool readFilmTimeOption(const std::string& option, const std::string& text, double& time, std::string& error);

// A time of the film as the tools write it for a person, in as few digits as it takes:
// "-2.5", "200", "83.25".
std::string filmSecondsText(double seconds);
