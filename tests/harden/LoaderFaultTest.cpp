#include "TinyGameFolder.hpp"
#include "text/TextFixtures.hpp"

#include "assets/JsonFile.hpp"
#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "core/FileCheck.hpp"
#include "support/NamedPipe.hpp"
#include "text/TextManager.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <filesystem>
#include <sstream>

// The faults the fuzz targets and the broken-file tests found, each with the input that
// showed it: the loader now says what is wrong in one line and skips the entry.

namespace {
using json = nlohmann::json;

class LoaderFault : public testing::Test {
protected:
    TinyGameFolder folder;
};

const json kRain = {{"file", "assets/particles/rain.json"}, {"instances", 400}};
const std::string kBadStyle = "TextSystem: Unable to create textsystem. Bad JSON formatting.\n";
}

// A named pipe in place of a data file hung the game, the lint and a reloading preview in
// open() for ever; a folder read as config.json said "Config.json missing."; a 50 MB file
// took 25 s and 3.8 GB before its parse error. Each is refused in one line that says what it
// is, before anything opens it, and the other entries of the file naming it still load.
TEST_F(LoaderFault, AFolderAPipeOrAHugeFileInPlaceOfADataFileIsRefusedInOneLine)
{
    TempDir odd;
    NamedPipe pipe(odd.path() + "/pipe.json");
    const std::string aFolder = odd.path() + "/folder.json";
    std::filesystem::create_directory(aFolder);
    const std::string huge = odd.write("huge.json", "");
    std::filesystem::resize_file(huge, kMostDataFileBytes + 1);
    const std::vector<std::pair<std::string, std::string>> refused = {
        {pipe.path(), "a named pipe, not a file"},
        {aFolder, "a folder, not a file"},
        {huge, std::to_string(kMostDataFileBytes + 1) + " bytes, more than a data file's " +
                   std::to_string(kMostDataFileBytes)}};

    const auto start = std::chrono::steady_clock::now();
    for (const auto& [path, what] : refused) {
        const std::string line = ": Unable to open file " + path + ": " + what + ".\n";
        TextureManager textures;
        SpriteManager sprites(textures);
        MusicManager music;
        ParticleManager systems(folder.sprites);
        TextManager styles(folder.particles);
        EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(textures.load(path)); }), "TextureManager" + line);
        EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(sprites.load(path)); }), "SpriteManager" + line);
        EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(music.load(path)); }), "MusicManager" + line);
        EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(systems.load(path)); }), "ParticleManager" + line);
        EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(styles.load(path)); }), "TextManager" + line);
        Config config;
        EXPECT_EQ(captureStderr([&] { loadConfig(path, config, music); }), "config.json" + line);

        std::istringstream systemsFile(
            json({{"particlesystems", {{"a_rain", kRain}, {"odd", {{"file", path}}}, {"z_rain", kRain}}}}).dump());
        EXPECT_EQ(captureStderr([&] { systems.loadFromStream(systemsFile); }), "ParticleSystem" + line);
        EXPECT_FALSE(systems.contains("odd"));
        EXPECT_TRUE(systems.contains("a_rain"));
        EXPECT_TRUE(systems.contains("z_rain"));
        if (path != huge) {  // a font of any size is the font library's
            std::istringstream stylesFile(
                json({{"textsystems", {{"a_good", styleEntry()}, {"odd", styleEntry({{"font", path}})}}}}).dump());
            EXPECT_EQ(captureStderr([&] { styles.loadFromStream(stylesFile); }),
                      "TextSystem: Unable to load font " + path + ": " + what + ".\n" + kBadStyle);
            EXPECT_TRUE(styles.contains("a_good"));
        }
    }
    EXPECT_FALSE(pipe.opened());
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 1.0);
}

// "instances": 2147483647 asked for a pool of a quarter of a terabyte.
TEST_F(LoaderFault, APoolLargerThanAHundredThousandParticlesIsRefused)
{
    ParticleManager particles(folder.sprites);
    std::istringstream file(
        json({{"particlesystems", {{"a_rain", kRain},
                                   {"huge", {{"file", "assets/particles/rain.json"}, {"instances", 2147483647}}},
                                   {"most", {{"file", "assets/particles/rain.json"}, {"instances", 100000}}}}}})
            .dump());
    EXPECT_EQ(captureStderr([&] { particles.loadFromStream(file); }),
              "ParticleManager: Too many instances for [huge]: 2147483647, at most 100000\n");
    EXPECT_FALSE(particles.contains("huge"));
    EXPECT_TRUE(particles.contains("most"));
    EXPECT_TRUE(particles.contains("a_rain"));

    ParticleSystem direct;
    EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(direct.load("assets/particles/rain.json", 100001, folder.sprites)); }),
              "ParticleSystem: Too many instances for [assets/particles/rain.json]: 100001, at most 100000\n");
}

// "num_instances": 1e300 threw std::bad_alloc out of the loader; "size": 100000 and
// "outlinecolor_width": 2147483647 threw std::length_error out of the font's glyph drawing at
// the first play, and "outlinecolor_width": 10000 took 42 seconds and 4.7 GB to draw a line.
TEST_F(LoaderFault, StylesTooLargeToDrawAreRefusedAndTheOthersBuilt)
{
    TextManager texts(folder.particles);
    std::istringstream file(json({{"textsystems",
                                   {{"a_good", styleEntry()},
                                    {"instances", styleEntry({{"num_instances", 1e300}})},
                                    {"largest", styleEntry({{"size", 1080}, {"outlinecolor_width", -100}})},
                                    {"outline", styleEntry({{"outlinecolor_width", 10000}})},
                                    {"outline_in", styleEntry({{"outlinecolor_width", -101}})},
                                    {"size", styleEntry({{"size", 100000}})}}}})
                                .dump());
    const std::string errors = captureStderr([&] { texts.loadFromStream(file); });
    EXPECT_EQ(errors, "TextSystem: Too many instances for [instances]: 2147483647, at most 1000\n" + kBadStyle +
                          "TextSystem: Outline width too large for [outline]: 10000, at most 100 either way\n" +
                          kBadStyle +
                          "TextSystem: Outline width too large for [outline_in]: -101, at most 100 either way\n" +
                          kBadStyle + "TextSystem: Size too large for [size]: 100000, at most 1080\n" + kBadStyle);
    for (const char* refused : {"instances", "outline", "outline_in", "size"})
        EXPECT_FALSE(texts.contains(refused)) << refused;
    EXPECT_TRUE(texts.contains("a_good"));
    EXPECT_TRUE(texts.contains("largest"));
}

// "spawn_rate": 1e-9 spawned into a full pool one interval at a time: about seventeen million
// scans of the pool in each frame, seconds per frame.
TEST_F(LoaderFault, ASpawnRateTooSmallToDrawFillsThePoolAndMovesOn)
{
    json definition = json::parse(folder.shipped("assets/particles/rain.json"));
    definition["spawn_rate"] = 1e-9;
    std::istringstream file(definition.dump());
    ParticleSystem rain;
    ASSERT_TRUE(rain.loadFromStream(file, "rain.json", 400, folder.sprites));
    rain.emitting = true;

    const auto start = std::chrono::steady_clock::now();
    for (int frame = 0; frame < 10; ++frame)
        rain.update(1.0f / 60.0f);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 2.0);
    EXPECT_EQ(rain.aliveCount(), 400u);
    EXPECT_LT(rain.spawnTimer, 1e-9f);
}
