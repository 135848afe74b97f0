#include "BuildOutput.hpp"
#include "LoaderLines.hpp"
#include "TimeEntry.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// What the preview's notice says of a failure: the first error, where it is, and a build's
// progress; and the time a viewer types.

TEST(PreviewNotice, TheFirstErrorOfABuildNamesItsFileAndLine)
{
    struct Case {
        const char* what;
        std::vector<std::string> output;
        std::string firstError;
    };
    const std::vector<Case> cases = {
        {"a compiler",
         {"[3/12] Building CXX object CMakeFiles/drennmoor_lib.dir/src/scenes/WorkshopScene.cpp.o",
          "FAILED: CMakeFiles/drennmoor_lib.dir/src/scenes/WorkshopScene.cpp.o",
          "/home/me/drennmoor/src/scenes/WorkshopScene.cpp: In member function 'int WorkshopScene::frame(float)':",
          "/home/me/drennmoor/src/scenes/WorkshopScene.cpp:42:5: error: 'kMiddleCogY' was not declared in this scope",
          "/home/me/drennmoor/src/scenes/WorkshopScene.cpp:50:1: error: a second one"},
         "'kMiddleCogY' was not declared in this scope (src/scenes/WorkshopScene.cpp:42)"},
        {"a Python syntax error",
         {"[1/3] Generating images/workshop.svg", "FAILED: images/workshop.svg",
          "  File \"/home/me/drennmoor/art/workshop.py\", line 118", "    draw(", "        ^",
          "SyntaxError: '(' was never closed"},
         "SyntaxError: '(' was never closed (art/workshop.py:118)"},
        {"a Python exception in a helper",
         {"Traceback (most recent call last):", "  File \"/src/art/workshop.py\", line 30, in <module>",
          "  File \"/src/art/common/paper.py\", line 7, in grain", "NameError: name 'noise' is not defined"},
         "NameError: name 'noise' is not defined (art/common/paper.py:7)"},
        {"only a failed step", {"[1/1] Linking", "FAILED: game/drennmoor-preview", "collect2: ld returned 1"},
         "FAILED: game/drennmoor-preview"},
        {"a clean build", {"[1/2] Generating a", "[2/2] Staging"}, ""},
    };
    for (const Case& c : cases) {
        BuildOutput output;
        for (const std::string& line : c.output)
            output.add(line);
        EXPECT_EQ(output.firstError(), c.firstError) << c.what;
    }
}

TEST(PreviewNotice, ABuildsProgressIsItsLastStep)
{
    BuildOutput output;
    EXPECT_EQ(output.steps(), 0);
    for (const char* line : {"[1/40] Generating images/door.svg", "some tool's chatter",
                             "[12/40] Generating images/workshop.png"})
        output.add(line);
    EXPECT_EQ(output.step(), 12);
    EXPECT_EQ(output.steps(), 40);
    EXPECT_EQ(output.doing(), "Generating images/workshop.png");
}

TEST(PreviewNotice, AParseErrorOfARegistryFileNamesTheFileLineAndColumn)
{
    const std::string parser = "[json.exception.parse_error.101] parse error at line 4, column 2: syntax error "
                               "while parsing object key - unexpected '}'";
    EXPECT_EQ(firstLineWithPlace({"SpriteManager: Error while parsing JSON.", parser, "validateJson: Missing prop"}),
              "assets/sprites.json:4:2: syntax error while parsing object key - unexpected '}' (SpriteManager)");
    EXPECT_EQ(firstLineWithPlace({"TextManager: Error while parsing JSON.", parser}),
              "assets/text/text.json:4:2: syntax error while parsing object key - unexpected '}' (TextManager)");
    EXPECT_EQ(firstLineWithPlace({"SpriteManager: Sprite with key black does not exist."}),
              "SpriteManager: Sprite with key black does not exist.");
    EXPECT_EQ(firstLineWithPlace({}), "");
}

// Typed mistakes were filtered into other times ("1e9" went to 19 s, "12.5.3" to 12.53 s, 200
// characters to their digits) or ignored without a word (empty, "nan", "abc").
TEST(PreviewNotice, ATypedTimeIsATimeOfTheFilmOrRefusedWithItsReason)
{
    struct Case {
        std::string typed;
        std::string refusal;  // empty for a time
        double seconds;
    };
    const std::string nines(200, '9');
    for (const Case& c : {Case{"83.5", "", 83.5}, Case{"-2.5", "", -2.5}, Case{"200", "", 200.0},
                          Case{"1e9", "1e9 s is after the film's end (200 s)", 0.0},
                          Case{"9223372036854775807", "9223372036854775807 s is after the film's end (200 s)", 0.0},
                          Case{"-5", "-5 s is before the film's start (-2.5 s)", 0.0},
                          Case{"12.5.3", "12.5.3 is not a number of seconds", 0.0},
                          Case{"abc", "abc is not a number of seconds", 0.0},
                          Case{"nan", "nan is not a finite number", 0.0}, Case{"", "no time given", 0.0},
                          Case{nines, "a text of 200 characters is not a number of seconds", 0.0}}) {
        TimeEntry entry;
        entry.begin();
        entry.type('t');  // the key that opened it
        for (char character : c.typed)
            entry.type(character);
        const std::optional<double> seconds = entry.finish();
        EXPECT_EQ(entry.refusal(), c.refusal) << c.typed;
        EXPECT_EQ(seconds.has_value(), c.refusal.empty()) << c.typed;
        if (seconds) {
            EXPECT_DOUBLE_EQ(*seconds, c.seconds) << c.typed;
        }
        EXPECT_FALSE(entry.active());
    }
}
