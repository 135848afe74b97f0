#include "AllocationCounter.hpp"
#include "BenchOptions.hpp"
#include "Benchmark.hpp"
#include "GameFolder.hpp"
#include "PictureTimes.hpp"
#include "StartupClock.hpp"
#include "UndrawnCosts.hpp"

#include "core/DataFiles.hpp"
#include "core/Diagnostics.hpp"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv)
{
    StartupClock::markMain();
    AllocationCounter::watchThisThread();
    // OpenAL's null device, before anything of the audio module exists: the song streams
    // as in the game, silently.
    setenv("ALSOFT_DRIVERS", "null", 1);

    BenchOptions options;
    std::string error;
    if (!options.parse(argc, argv, error)) {
        reportLine("drennmoor-bench: " + error);
        return 2;
    }
    if (options.help) {
        std::cout << BenchOptions::usage();
        return 0;
    }
    if (!enterGameFolder("drennmoor-bench"))
        return 1;
    if (options.pictures) {
        for (const std::string& line : PictureTimes::measure(dataFiles::kTextures, 3))
            std::cout << line << '\n';
        return 0;
    }
    if (options.undrawnOnly) {
        for (const std::string& line : UndrawnCosts::measure(options.fps))
            std::cout << line << '\n';
        return 0;
    }
    Benchmark benchmark(options);
    return benchmark.run() ? 0 : 1;
}
