// assets/particles.json: any bytes through the particle registry's loader, over the
// fixture's sprites; the definition files it may name are read from the fixture's folder.
#include "FuzzFixture.hpp"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream stream(fuzzText(data, size));
    ParticleManager particles(fuzzGame().sprites);
    particles.loadFromStream(stream);
    return 0;
}
