#pragma once

#include <string>

// The whole of `text` as a number (strtod's forms); false for an empty text or one with
// anything after the number.
bool readNumber(const std::string& text, double& value);

// `value` with six decimals, as ffmpeg's options and the tools' command lines take times:
// a microsecond, finer than any frame.
std::string sixDecimals(double value);

// The process's peak resident memory so far, in mebibytes.
double peakMemoryMiB();
