#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <algorithm>

// Nothing applies unless the whole file parsed; then only a JSON boolean counts, and a key of
// another type keeps its default with one line naming it while the keys around it still apply.
TEST(Config, AppliesEveryBooleanKeyOfAFileThatParsedAndNamesEachOtherInALine)
{
    const struct {
        const char* text;  // nullptr: no file
        const char* firstLine;
        long lines;
        bool fullscreen, vsync, muted;
    } cases[] = {
        {nullptr, "Config.json missing.", 1, false, true, false},
        {"{}", "", 0, false, true, false},
        {"[true, false]", "", 0, false, true, false},
        {"42", "", 0, false, true, false},
        {R"({"fullscreen": true, "music": false, "vsync": false, "other": 3})", "", 0, true, false, true},
        {R"({"music": true})", "", 0, false, true, false},
        {R"({"fullscreen": true, "music": false, "vsync": false,)", "config.json: Error while parsing JSON.", 2,
         false, true, false},
        {R"({"fullscreen": 1, "music": false, "vsync": false})", "config.json: Wrong value type for \"fullscreen\": ",
         1, false, false, true},
        {R"({"fullscreen": true, "music": "false", "vsync": null})", "config.json: Wrong value type for \"music\": ",
         2, true, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "no file");
        TempDir dir;
        Config config;
        MusicManager music;
        const std::string path = c.text ? dir.write("config.json", c.text) : dir.path() + "/config.json";
        const std::string errors = captureStderr([&] { loadConfig(path, config, music); });
        EXPECT_EQ(errors.rfind(c.firstLine, 0), 0u) << errors;
        EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), c.lines) << errors;
        EXPECT_EQ(config.fullscreen, c.fullscreen);
        EXPECT_EQ(config.vsync, c.vsync);
        EXPECT_EQ(music.musicMuted, c.muted);
    }
}
