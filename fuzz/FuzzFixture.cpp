#include "FuzzFixture.hpp"

#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzzGame();
    return 0;
}

TinyGameFolder& fuzzGame()
{
    // Silent: OpenAL's null device, before anything of the audio module exists. The data files
    // and the poem's font where the build says.
    static const int silent = setenv("ALSOFT_DRIVERS", "null", 1);
    static TinyGameFolder game(DRENNMOOR_SOURCE_DIR, DRENNMOOR_FONT);
    static_cast<void>(silent);
    return game;
}

std::string fuzzText(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}
