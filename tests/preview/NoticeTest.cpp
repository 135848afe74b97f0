#include "BuildOutput.hpp"
#include "LoaderLines.hpp"
#include "PreviewOverlay.hpp"
#include "TimeEntry.hpp"
#include "TimelineBar.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

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
        {"the picture check",
         {"[3/3] Checking the staged pictures", "FAILED: art/pictures.verified /home/me/build/art/pictures.verified",
          "cd /home/me/build && /usr/bin/python3 /home/me/drennmoor/tools/verify_pictures.py /home/me/build",
          "verify_pictures: desk_3: sprite desk_3: its origin does not undo the crop (870, 680)",
          "verify_pictures: 1 faults; tools/crop_pictures.py crops the pictures again"},
         "verify_pictures: desk_3: sprite desk_3: its origin does not undo the crop (870, 680)"},
        {"a failed step with absolute paths", {"FAILED: art/x.verified /home/me/build/art/x.verified"},
         "FAILED: art/x.verified art/x.verified"},
        {"a clean build", {"[1/40] Generating images/door.svg", "chatter", "[12/40] Generating images/workshop.png"},
         ""},
    };
    for (const Case& c : cases) {
        BuildOutput output;
        for (const std::string& line : c.output)
            output.add(line);
        EXPECT_EQ(output.firstError(), c.firstError) << c.what;
    }
    // A build's progress is its last step.
    BuildOutput output;
    for (const std::string& line : cases.back().output)
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

// The overlay on small windows: the list of keys and a long notice stay inside the window,
// the notice wrapped at spaces. The window is white where nothing is drawn.
TEST(PreviewNotice, TheHelpAndTheNoticesFitSmallWindows)
{
    PreviewOverlay overlay;
    overlay.loadFont();
    ASSERT_NE(overlay.font(), nullptr);
    const std::string notice =
        "build failed: verify_pictures: desk_3: sprite desk_3: its origin does not undo the crop (870, 680) "
        "and a good many more words that no small window holds on one line";
    for (const sf::Vector2u size : {sf::Vector2u(800, 450), sf::Vector2u(1366, 768)}) {
        sf::RenderTexture window;
        ASSERT_TRUE(window.create(size.x, size.y));
        for (bool help : {true, false}) {
            window.clear(sf::Color::White);
            if (help)
                overlay.drawHelp(window);
            else
                overlay.draw(window, "12.00 s   frame 746   opening", notice, true);
            window.display();
            const sf::Image picture = window.getTexture().copyToImage();
            // Nothing drawn along the window's edges: the text ends inside it.
            const unsigned right = size.x - 1;
            const unsigned bottom = size.y - 1;
            for (unsigned y = 0; y < size.y; ++y)
                ASSERT_EQ(picture.getPixel(right, y), sf::Color::White) << size.x << "x" << size.y << " row " << y
                                                                        << (help ? " help" : " notice");
            for (unsigned x = 0; x < size.x && help; ++x) {
                ASSERT_EQ(picture.getPixel(x, 0), sf::Color::White) << size.x << "x" << size.y << " column " << x;
                ASSERT_EQ(picture.getPixel(x, bottom), sf::Color::White) << size.x << "x" << size.y << " column " << x;
            }
        }
    }
    // Wrapped at spaces: every word of the notice whole on one line.
    const std::vector<sf::String> lines = wrapWords(notice, *overlay.font(), 18, 500.0f);
    EXPECT_GT(lines.size(), 2u);
    std::string joined;
    for (const sf::String& line : lines)
        joined += (joined.empty() ? "" : " ") + line.toAnsiString();
    EXPECT_EQ(joined, notice);
}

// The strip of seconds above the bar is part of it: a click there seeks too.
TEST(PreviewNotice, TheScaleAboveTheBarTakesClicks)
{
    TimelineBar bar;
    bar.layout(1366.0f, 768.0f);
    EXPECT_TRUE(bar.contains(683.0f, 768.0f - 12.0f - 20.0f));   // on the bar
    EXPECT_TRUE(bar.contains(683.0f, 768.0f - 12.0f - 44.0f - 12.0f));  // on the scale's labels
    EXPECT_FALSE(bar.contains(683.0f, 768.0f - 200.0f));
}
