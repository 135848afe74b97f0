// config.json: any bytes through the game's own reading of the configuration.
#include "FuzzFixture.hpp"

#include "assets/MusicManager.hpp"
#include "core/Config.hpp"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static MusicManager music;
    std::istringstream stream(fuzzText(data, size));
    Config config;
    loadConfig(stream, config, music);
    return 0;
}
