// GoogleTest comes before Xlib, whose macros (None, Bool, ...) would break it.
#include <gtest/gtest.h>

#include "GameProcess.hpp"
#include "VirtualScreen.hpp"
#include "XWindows.hpp"
#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <chrono>
#include <cstdlib>
#include <thread>

// The real game on a screen smaller than the film and of another shape (1280 x 1024): the
// window lies inside the screen; F11 makes it fullscreen on the screen's own mode with the
// whole film letterboxed in it, and back; the film goes on throughout and Escape ends it.
namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

// The window once it shows more than black in its middle (the film, not the lead-in), found
// anew after `settle` seconds when it was made anew. Checks that it lies inside the screen.
Shot filmIn(XConnection& x, pid_t game, double settle)
{
    std::this_thread::sleep_for(std::chrono::duration<double>(settle));
    const Window window = x.waitForWindow("Drennmoor", game, 30.0);
    int left = 0, top = 0, width = 0, height = 0;
    x.position(window, left, top);
    x.size(window, width, height);
    EXPECT_TRUE(window != 0 && left >= 0 && top >= 0 && left + width <= kScreenWidth && top + height <= kScreenHeight)
        << width << "x" << height << " at " << left << "," << top;
    return window != 0 ? x.waitForFilm(window, 40.0) : Shot();
}

} // namespace

TEST(SmallScreen, WindowFitsTheScreenAndFullscreenLetterboxesTheWholeFilm)
{
    VirtualScreen screen(kScreenWidth, kScreenHeight);
    ASSERT_FALSE(screen.name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", screen.name().c_str(), 1);
    XConnection x(screen.name().c_str());
    ASSERT_TRUE(x.isOpen());
    TempDir dir;
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt");

    // Windowed: inside the screen, in the film's shape, the film filling it.
    const Shot windowed = filmIn(x, game.pid(), 0.0);
    ASSERT_FALSE(windowed.pixels.empty());
    EXPECT_NEAR(static_cast<double>(windowed.width) / windowed.height, 16.0 / 9.0, 0.01);
    EXPECT_GT(windowed.rows(windowed.height * 2 / 5, windowed.height * 3 / 5), 30.0) << "the film shows";

    // Fullscreen on the screen's own mode: black bars above and below a 1280 x 720 film.
    x.pressKey(XK_F11);
    const Shot letterboxed = filmIn(x, game.pid(), 2.0);
    ASSERT_EQ(letterboxed.width, kScreenWidth);
    ASSERT_EQ(letterboxed.height, kScreenHeight);
    EXPECT_EQ(letterboxed.rows(0, 152), 0.0) << "a black bar above";
    EXPECT_EQ(letterboxed.rows(872, 1024), 0.0) << "a black bar below";
    EXPECT_GT(letterboxed.rows(152 + 288, 152 + 432), 30.0) << "the film with its textures and vignette";

    // And back to a window inside the screen; the film goes on until Escape.
    x.pressKey(XK_F11);
    EXPECT_GT(filmIn(x, game.pid(), 2.0).rows(200, 400), 30.0);
    x.setEscape(true);
    const int status = game.waitForExit(20.0);
    x.setEscape(false);
    EXPECT_EQ(status, 0) << readFile(dir.path() + "/stderr.txt");
}
