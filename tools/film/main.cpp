#include "FilmOptions.hpp"
#include "FilmRecorder.hpp"
#include "GameFolder.hpp"
#include "StopSignals.hpp"

#include "core/Diagnostics.hpp"

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace {
// Paths from the command line are meant from where the tool was started.
std::string fromStartFolder(const std::string& path)
{
    return path.empty() ? path : fs::absolute(path).lexically_normal().string();
}

}

int main(int argc, char** argv)
{
    // Silent: OpenAL's null device, before anything of the audio module exists.
    setenv("ALSOFT_DRIVERS", "null", 1);

    FilmOptions options;
    std::string error;
    if (!options.parse(argc, argv, error)) {
        reportLine("drennmoor-film: " + error);
        return 2;
    }
    if (options.help) {
        std::cout << FilmOptions::usage();
        return 0;
    }
    options.outDir = fromStartFolder(options.outDir);
    options.sheet = fromStartFolder(options.sheet);
    options.video = fromStartFolder(options.video);
    std::error_code made;
    fs::create_directories(options.outDir, made);
    if (!enterGameFolder("drennmoor-film"))
        return 1;

    // An export stopped half-way leaves nothing behind: see StopSignals.
    if (!options.video.empty())
        catchStopSignals();
    bool written = false;
    {
        FilmRecorder recorder(options);
        written = recorder.run();
    }
    if (stopRequested()) {
        if (!options.part)
            reportLine(std::string("drennmoor-film: stopped by ") + stopSignalName(stopSignal()) +
                       "; nothing written to " + options.video);
        return 128 + stopSignal();
    }
    return written ? 0 : 1;
}
