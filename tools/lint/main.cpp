// drennmoor-lint: checks a game folder's assets for everything that would make the film
// wrong without stopping it, one finding a line on standard output.

#include "AssetLint.hpp"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

namespace {

constexpr int kClean = 0;
constexpr int kFound = 1;
constexpr int kUsageError = 2;

const char* const kUsage =
    "Usage: drennmoor-lint [FOLDER]\n"
    "\n"
    "Checks the game folder FOLDER (default: the current directory) with the game's own\n"
    "loaders and prints, one line each, everything that would make the film wrong without\n"
    "stopping it: keys the scenes, the frame loop or the poem need that no asset file\n"
    "defines; images, fonts and songs that do not open or decode; particle systems and text\n"
    "styles that fail to load; values of the wrong JSON type; every other line the loaders\n"
    "print; sprite rectangles outside their textures; easing ids outside the nineteen\n"
    "curves; poem plays that leave the shapes the song times, hold anything but printable\n"
    "ASCII or end past x = 1300; a poem's song that does not last its score's 200 s, loops\n"
    "from off a bar line, clips, clicks at its loop, or has no note within 30 ms of a sung\n"
    "word. Each line starts with the file it concerns; the last line counts the findings.\n"
    "\n"
    "Needs a display, as the game does. Exit status: 0 when nothing is found, 1 when\n"
    "something is, 2 when the command line is wrong or FOLDER cannot be entered.\n";

int usageError(const std::string& problem)
{
    std::cerr << "drennmoor-lint: " << problem << std::endl;
    std::cerr << kUsage << std::flush;
    return kUsageError;
}

bool enterFolder(const std::string& folder)
{
    std::error_code error;
    std::filesystem::current_path(folder, error);
    if (error)
        std::cerr << "drennmoor-lint: cannot enter " << folder << ": " << error.message() << std::endl;
    return !error;
}

} // namespace

int main(int argc, char** argv)
{
    std::string folder;
    for (int n = 1; n < argc; ++n) {
        const std::string argument = argv[n];
        if (argument == "--help" || argument == "-h") {
            std::cout << kUsage << std::flush;
            return kClean;
        }
        if (argument.size() > 1 && argument[0] == '-')
            return usageError("unknown option " + argument);
        if (!folder.empty())
            return usageError("one folder at most");
        folder = argument;
    }
    if (!folder.empty() && !enterFolder(folder))
        return kUsageError;

    // The music registry opens an audio device it never plays on; OpenAL's silent driver
    // spares a machine without a sound card its complaints.
    setenv("ALSOFT_DRIVERS", "null", 1);
    Findings findings(std::cout);
    AssetLint(findings).run();
    findings.summarise();
    return findings.count() == 0 ? kClean : kFound;
}
