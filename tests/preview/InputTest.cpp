#include <gtest/gtest.h>

#include "window/GameProcess.hpp"
#include "window/XWindows.hpp"

#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <chrono>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

// The real preview in a window on the test display, moved by key presses: each seek ends with
// a line "drennmoor-preview: at T s, frame N, scene" on standard error.

namespace {
// Waits up to `seconds` for the last position line of the file to match `expected`.
bool waitForPosition(const std::string& file, const std::regex& expected, double seconds, std::string& last)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line))
            if (line.rfind("drennmoor-preview: at ", 0) == 0)
                last = line;
        if (std::regex_match(last, expected))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}

TEST(PreviewInput, KeysMoveTheTimeAsDocumented)
{
    TempDir folder;
    const std::string errors = folder.path() + "/stderr.txt";
    GameProcess preview(stagedGameFolder(), errors, "drennmoor-preview", {"--at", "10", "--paused", "--fps", "10"});
    XConnection windows;
    ASSERT_TRUE(windows.isOpen());

    // At 10 frames a second the lead-in lasts 26 frames.
    struct Step {
        KeySym key;
        std::string position;  // the line after the key
    };
    const Step steps[] = {
        {XK_Right, "at 15.000 s, frame 176, opening, paused"},   // 5 s on
        {XK_period, "at 15.100 s, frame 177, opening, paused"},  // a frame on
        {XK_comma, "at 15.000 s, frame 176, opening, paused"},   // a frame back: a restart
        {XK_Left, "at 10.000 s, frame 126, opening, paused"},    // 5 s back
        {XK_Next, "at 32\\.[0-9]+ s, frame 3[45][0-9], walk, paused"},  // the walk's first frame
    };
    std::string last;
    const std::string prefix = "drennmoor-preview: ";
    ASSERT_TRUE(waitForPosition(errors, std::regex(prefix + "at 10.000 s, frame 126, opening, paused"), 120, last))
        << last;
    for (const Step& step : steps) {
        // After a restart the window is a new one: find it and give it the keyboard.
        const Window window = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
        ASSERT_NE(window, 0u);
        windows.pressKey(step.key, window);
        EXPECT_TRUE(waitForPosition(errors, std::regex(prefix + step.position), 120, last)) << last;
    }
}
