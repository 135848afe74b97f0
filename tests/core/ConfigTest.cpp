#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

namespace {

struct Loaded {
    Config config;
    bool muted = false;
    std::string errors;
};

Loaded loadFrom(const std::string& path)
{
    Loaded result;
    MusicManager music;
    result.errors = captureStderr([&] { loadConfig(path, result.config, music); });
    result.muted = music.musicMuted;
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

    loaded = loadText(R"({"music": true})");
    EXPECT_FALSE(loaded.muted);
}
