// assets/textures.json: any bytes through the texture registry's loader. The pictures it may
// name are the fixture's tiny stand-ins.
#include "FuzzFixture.hpp"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream stream(fuzzText(data, size));
    TextureManager textures;
    textures.loadFromStream(stream);
    return 0;
}
