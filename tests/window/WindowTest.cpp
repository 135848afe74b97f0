// GoogleTest comes before Xlib, whose macros (None, Bool, ...) would break it.
#include <gtest/gtest.h>

#include "GameProcess.hpp"
#include "XWindows.hpp"
#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <filesystem>

// The real game in a real window on the test display: it opens, shows black, and ends with
// status 0 on the close button or Escape; without its vignette it says so and returns -1.
namespace fs = std::filesystem;

namespace {

std::string lastLine(const std::string& text)
{
    std::string trimmed = text;
    while (!trimmed.empty() && trimmed.back() == '\n')
        trimmed.pop_back();
    const auto newline = trimmed.rfind('\n');
    return newline == std::string::npos ? trimmed : trimmed.substr(newline + 1);
}

} // namespace

TEST(GameWindow, OpensTitledFullSizeAndEndsWithZeroOnTheCloseButton)
{
    XConnection x;
    ASSERT_TRUE(x.isOpen()) << "the window tests need a display";
    TempDir dir;
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt");
    const Window window = x.waitForWindow("Drennmoor", game.pid(), 30.0);
    ASSERT_NE(window, 0u) << readFile(dir.path() + "/stderr.txt");
    int width = 0;
    int height = 0;
    x.size(window, width, height);
    EXPECT_EQ(width, 1920);
    EXPECT_EQ(height, 1080);

    x.sendCloseRequest(window);
    EXPECT_EQ(game.waitForExit(20.0), 0) << readFile(dir.path() + "/stderr.txt");
}

TEST(GameWindow, EscapeEndsTheGameWithZero)
{
    XConnection x;
    ASSERT_TRUE(x.isOpen());
    TempDir dir;
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt");
    ASSERT_NE(x.waitForWindow("Drennmoor", game.pid(), 30.0), 0u);
    x.setKey(XK_Escape, true);
    const int status = game.waitForExit(20.0);
    x.setKey(XK_Escape, false);
    EXPECT_EQ(status, 0) << readFile(dir.path() + "/stderr.txt");
}

TEST(GameWindow, MissingVignetteIsReportedLastAndEndsWithMinusOne)
{
    // A copy of the game folder without vignette.frag (the pictures are linked, not copied).
    TempDir dir;
    const fs::path game = stagedGameFolder();
    const fs::path copy = fs::path(dir.path()) / "game";
    fs::create_directories(copy / "assets" / "shaders");
    fs::copy_file(game / "config.json", copy / "config.json");
    for (const auto& entry : fs::directory_iterator(game / "assets")) {
        if (entry.path().filename() != "shaders")
            fs::create_symlink(entry.path(), copy / "assets" / entry.path().filename());
    }
    fs::copy_file(game / "assets/shaders/passthrough.vert", copy / "assets/shaders/passthrough.vert");

    GameProcess process(copy.string(), dir.path() + "/stderr.txt");
    EXPECT_EQ(process.waitForExit(30.0), 255);
    EXPECT_EQ(lastLine(readFile(dir.path() + "/stderr.txt")), "Unable to load vignette.frag");
}
