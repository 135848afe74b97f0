#include "PreviewOptions.hpp"

#include "CommandLine.hpp"
#include "FilmFrames.hpp"
#include "FilmTime.hpp"
#include "ToolNumbers.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

bool PreviewOptions::parse(int argc, char** argv, std::string& error)
{
    std::string timeError;  // why --at was refused, said instead of "bad value"
    CommandLine line;
    line.flag("--help", help);
    line.flag("-h", help);
    line.flag("--bench", bench);
    line.flag("--paused", paused);
    line.option("--at", [&](const std::string& value) { return readFilmTimeOption("--at", value, at, timeError); });
    line.option("--fps", [&](const std::string& value) {
        double number = 0.0;
        return readNumber(value, number) && number == std::floor(number) && wholeNumberIn(1.0, 1000.0, fps)(value);
    });
    line.option("--build-program", [&](const std::string& value) { return buildProgram = value, true; });
    line.option("--notice", [&](const std::string& value) { return notice = value, true; });
    line.option("--speed", [&](const std::string& value) {
        double number = 0.0;
        if (!readNumber(value, number) || !(number > 0.0 && number <= 16.0))
            return false;
        speed = number;
        return true;
    });
    for (auto [name, mark] : {std::pair{"--loop-in", &loopIn}, std::pair{"--loop-out", &loopOut}})
        line.option(name, [mark = mark](const std::string& value) {
            double number = 0.0;
            if (!readNumber(value, number) || !std::isfinite(number))
                return false;
            *mark = number;
            return true;
        });
    line.flag("--looping", looping);
    line.flag("--muted", muted);
    line.option("--error", [&](const std::string& value) {
        if (value.find('=') == std::string::npos)
            return false;
        errors.push_back(value);
        return true;
    });
    line.flag("--resume", resume);
    line.option("--session", [&](const std::string& value) { return sessionFile = value, true; });
    if (!line.parse(argc, argv, error)) {
        if (!timeError.empty())
            error = timeError;
        return false;
    }
    return true;
}

std::vector<std::string> PreviewOptions::restartArguments(double time, bool pausedThen,
                                                          const std::string& noticeThen) const
{
    // The last frames of black after the credits come a moment after the film's end by its
    // table, which is as far as --at goes: a restart there comes back at the end.
    std::vector<std::string> arguments = {"--at", sixDecimals(std::clamp(time, FilmFrames::kStart, FilmFrames::kEnd)),
                                          "--fps", std::to_string(fps)};
    if (pausedThen)
        arguments.push_back("--paused");
    if (buildProgram != PreviewOptions().buildProgram)
        arguments.insert(arguments.end(), {"--build-program", buildProgram});
    if (sessionFile != PreviewOptions().sessionFile)
        arguments.insert(arguments.end(), {"--session", sessionFile});
    if (speed != 1.0) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", speed);
        arguments.insert(arguments.end(), {"--speed", text});
    }
    for (const auto& [name, mark] : {std::pair{"--loop-in", loopIn}, std::pair{"--loop-out", loopOut}})
        if (mark)
            arguments.insert(arguments.end(), {name, sixDecimals(*mark)});
    if (looping)
        arguments.push_back("--looping");
    if (muted)
        arguments.push_back("--muted");
    for (const std::string& error : errors)
        arguments.insert(arguments.end(), {"--error", error});
    if (!noticeThen.empty())
        arguments.insert(arguments.end(), {"--notice", noticeThen});
    return arguments;
}

std::string PreviewOptions::usage()
{
    return "usage: drennmoor-preview [--at SECONDS] [--paused] [--fps N] [--resume] [--build-program P]\n"
           "Plays the film in a window with its song, and reloads it when its files change.\n"
           "  --at SECONDS  start there, seconds after the opening's first frame, " +
           filmSecondsText(film::kStart) + " (the\n"
           "                lead-in, the default) to " + filmSecondsText(film::kEnd) + " (the film's end)\n"
           "  --paused      start paused\n"
           "  --fps N       frames a second, 1 to 1000 (default 60): a time is the same frame\n"
           "                as in drennmoor-film at the same --fps\n"
           "  --resume      start where the last session in this game folder stopped, with its\n"
           "                loop, speed and mute (options given with it change them)\n"
           "  --session FILE  keep the session there for --resume (default preview-session.txt in\n"
           "                the game folder), one argument a line\n"
           "  --bench       time going back (a frame, 100 s, a click on the bar, Home) at this\n"
           "                --fps without a window, print the figures and quit\n"
           "  --build-program P  run P instead of cmake to build what changed, with cmake's\n"
           "                arguments (--build <build folder> --target <targets>)\n"
           "--speed, --loop-in, --loop-out, --looping, --muted, --error and --notice carry a\n"
           "session over a restart.\n"
           "Keys: H or F1 in the window lists them all. Click or drag on the timeline to seek.\n";
}
