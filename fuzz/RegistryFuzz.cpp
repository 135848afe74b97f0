// The files the game only reads: any bytes through the loader of config.json or of the texture,
// sprite or particle registry, whichever the build names (FUZZ_TARGET_<name>), over the tiny
// game folder's registries, its stand-in pictures and its copies of the definition files.
#include "FuzzFixture.hpp"

#include "assets/MusicManager.hpp"
#include "core/Config.hpp"

#include <sstream>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::istringstream stream(fuzzText(data, size));
#if defined(FUZZ_TARGET_config)
    static MusicManager music;
    Config config;
    loadConfig(stream, config, music);
#elif defined(FUZZ_TARGET_textures)
    TextureManager().loadFromStream(stream);
#elif defined(FUZZ_TARGET_sprites)
    SpriteManager(fuzzGame().textures).loadFromStream(stream);
#elif defined(FUZZ_TARGET_particles)
    ParticleManager(fuzzGame().sprites).loadFromStream(stream);
#endif
    return 0;
}
