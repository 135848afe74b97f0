#include "FilmOptions.hpp"
#include "FilmRecorder.hpp"
#include "GameFolder.hpp"

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

    FilmRecorder recorder(options);
    return recorder.run() ? 0 : 1;
}
