// GoogleTest comes before Xlib, whose macros (None, Bool, ...) would break it.
#include <gtest/gtest.h>

#include "GameProcess.hpp"
#include "XWindows.hpp"
#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <chrono>
#include <filesystem>
#include <thread>

// The real game in a real window on the test display (the close button is the null device's
// film's end in NoSoundDevice): it opens at the film's size, leaves the film alone on an
// Escape held elsewhere and ends with 0 on a tap in its own window; without its vignette it
// says so last and returns -1.
namespace fs = std::filesystem;

TEST(GameWindow, OpensFullSizeAndEndsOnAnEscapeTapInItNotOnOneHeldElsewhere)
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
    // Once the film shows, the game reads its keys every frame.
    ASSERT_TRUE(x.waitForFilm(window, 30.0).showsFilm());
    const Window other = x.openPlainWindow();
    for (const Window elsewhere : {other, x.root()}) {
        x.focus(elsewhere);
        x.setKey(XK_Escape, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(600));
        x.setKey(XK_Escape, false);
        EXPECT_EQ(game.waitForExit(0.5), -1000) << "still running after Escape held in window " << elsewhere;
    }
    // Back in the game's window, a tap pressed and released in one request, over before the
    // next frame asks the keyboard, ends the film.
    x.pressKey(XK_Escape, window);
    EXPECT_EQ(game.waitForExit(20.0), 0) << readFile(dir.path() + "/stderr.txt");
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
    std::string errors = readFile(dir.path() + "/stderr.txt");
    while (!errors.empty() && errors.back() == '\n')
        errors.pop_back();
    EXPECT_EQ(errors.substr(errors.rfind('\n') + 1), "Unable to load vignette.frag");
}
