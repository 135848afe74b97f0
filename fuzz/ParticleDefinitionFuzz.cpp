// A particle definition file: any bytes through ParticleSystem's loader, over the fixture's
// sprites. A definition that loads is then run as the scenes run rain: spawning on its timer
// for a second of frames, a burst at a point, one long frame, and a draw.
#include "FuzzFixture.hpp"

#include <sstream>

constexpr int kSlots = 64;
constexpr int kFrames = 60;
constexpr float kDt = 1.0f / 60.0f;
constexpr float kLongFrame = 1.5f;  // seconds, a stalled frame

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    TinyGameFolder& game = fuzzGame();
    std::istringstream stream(fuzzText(data, size));
    ParticleSystem system;
    if (!system.loadFromStream(stream, "fuzz.json", kSlots, game.sprites))
        return 0;
    system.emitting = true;
    for (int frame = 0; frame < kFrames; ++frame)
        system.update(kDt);
    system.emitAt(10.0f, 20.0f);
    system.update(kLongFrame);
    system.draw(game.target);
    return 0;
}
