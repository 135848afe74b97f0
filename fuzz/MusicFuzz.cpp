// assets/music.json: any bytes through the music registry's loader; then, for one input in 32
// (picked by its bytes, so that a crash repeats), the opening scene's call, which opens the
// declared file: playing starts a streaming thread, some 10 ms, too slow for every input.
#include "FuzzFixture.hpp"

#include "assets/MusicManager.hpp"

#include <functional>
#include <sstream>

namespace {
constexpr std::size_t kPlayOneIn = 32;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = fuzzText(data, size);
    std::istringstream stream(text);
    MusicManager music;
    const bool loaded = music.loadFromStream(stream);
    if (loaded && music.contains("demo_song") && std::hash<std::string>()(text) % kPlayOneIn == 0) {
        music.playSong("demo_song", true, 0.0);
        if (sf::Music* player = music.player())
            player->stop();
    }
    return 0;
}
