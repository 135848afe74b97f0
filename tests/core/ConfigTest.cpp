#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    Config config;
    bool muted = false;
    float volume = 0.0f;
    std::string errors;
};

Loaded loadFrom(const std::string& path)
{
    Loaded result;
    MusicManager music;
    result.errors = captureStderr([&] { loadConfig(path, result.config, music); });
    result.muted = music.musicMuted;
    result.volume = music.player.getVolume();
    return result;
}

Loaded loadText(const std::string& text)
{
    TempDir dir;
    return loadFrom(dir.write("config.json", text));
}

} // namespace

TEST(Config, MissingFileSaysSoOnceAndKeepsDefaults)
{
    TempDir dir;
    const Loaded loaded = loadFrom(dir.path() + "/config.json");
    EXPECT_EQ(loaded.errors, "Config.json missing.\n");
    EXPECT_FALSE(loaded.config.fullscreen);
    EXPECT_TRUE(loaded.config.vsync);
    EXPECT_FALSE(loaded.muted);
}

TEST(Config, BrokenJsonReportsTwoLinesAndAppliesNothing)
{
    for (const char* text : {"", "{\"fullscreen\": true, \"vsync\": fals", "{\"fullscreen\": true,,}"}) {
        const Loaded loaded = loadText(text);
        EXPECT_EQ(loaded.errors.rfind("config.json: Error while parsing JSON.\n[json.exception.parse_error", 0), 0u)
            << loaded.errors;
        EXPECT_EQ(std::count(loaded.errors.begin(), loaded.errors.end(), '\n'), 2) << loaded.errors;
        EXPECT_FALSE(loaded.config.fullscreen) << "nothing is applied before the whole file parsed";
        EXPECT_TRUE(loaded.config.vsync);
    }
}

TEST(Config, EmptyObjectOrArrayKeepsEveryDefaultSilently)
{
    for (const char* text : {"{}", "[true, false]", "42"}) {
        const Loaded loaded = loadText(text);
        EXPECT_EQ(loaded.errors, "");
        EXPECT_FALSE(loaded.config.fullscreen);
        EXPECT_TRUE(loaded.config.vsync);
        EXPECT_FALSE(loaded.muted);
    }
}

TEST(Config, AppliesEveryKeyAndMutesOnlyOnFalse)
{
    Loaded loaded = loadText(R"({"fullscreen": true, "music": false, "vsync": false, "other": 3})");
    EXPECT_EQ(loaded.errors, "");
    EXPECT_TRUE(loaded.config.fullscreen);
    EXPECT_FALSE(loaded.config.vsync);
    EXPECT_TRUE(loaded.muted);
    EXPECT_EQ(loaded.volume, 0.0f);

    loaded = loadText(R"({"music": true})");
    EXPECT_FALSE(loaded.muted);
    EXPECT_EQ(loaded.volume, 100.0f);
}

TEST(Config, WrongTypeKeepsThatDefaultWithOneLineAndAppliesTheRest)
{
    const Loaded loaded = loadText(R"({"fullscreen": 1, "music": "false", "vsync": false})");
    EXPECT_EQ(loaded.errors,
              "config.json: Wrong value type for \"fullscreen\": [json.exception.type_error.302] type must be "
              "boolean, but is number\n"
              "config.json: Wrong value type for \"music\": [json.exception.type_error.302] type must be boolean, "
              "but is string\n");
    EXPECT_FALSE(loaded.config.fullscreen);
    EXPECT_FALSE(loaded.muted);
    EXPECT_FALSE(loaded.config.vsync) << "a later good key still applies";
}
