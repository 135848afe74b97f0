// assets/sprites.json: any bytes through the sprite registry's loader, over the fixture's
// textures (the shipped keys, tiny pictures).
#include "FuzzFixture.hpp"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream stream(fuzzText(data, size));
    SpriteManager sprites(fuzzGame().textures);
    sprites.loadFromStream(stream);
    return 0;
}
