#include "FilmTime.hpp"

#include "FilmFrames.hpp"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstdio>

namespace {
// Longer than any time written out in full ("-2.500000", "199.983333"): a pasted paragraph.
constexpr std::size_t kLongestTime = 32;

std::string secondsText(double seconds)
{
    return filmSecondsText(seconds) + " s";
}
}

bool readFilmTimeOption(const std::string& option, const std::string& text, double& time, std::string& error)
{
    const std::string refused = readFilmTime(text, time);
    if (!refused.empty())
        error = option + ": " + refused;
    return refused.empty();
}

std::string filmSecondsText(double seconds)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", seconds);
    return text;
}

std::string readFilmTime(const std::string& text, double& time)
{
    if (text.empty())
        return "no time given";
    if (text.size() > kLongestTime)
        return "a text of " + std::to_string(text.size()) + " characters is not a number of seconds";
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    const bool whole = end == text.c_str() + text.size() && !std::isspace(static_cast<unsigned char>(text[0]));
    if (whole && !std::isfinite(value))
        return text + " is not a finite number";
    // Decimal numbers only: strtod also reads hexadecimal ("0x10").
    if (!whole || text.find_first_not_of("0123456789.eE+-") != std::string::npos)
        return text + " is not a number of seconds";
    if (value < FilmFrames::kStart)
        return text + " s is before the film's start (" + secondsText(FilmFrames::kStart) + ")";
    if (value > FilmFrames::kEnd)
        return text + " s is after the film's end (" + secondsText(FilmFrames::kEnd) + ")";
    time = value;
    return "";
}
