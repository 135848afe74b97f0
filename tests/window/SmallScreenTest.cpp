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

// The real game on a screen smaller than the film and of another shape (1280 x 1024), as the
// viewer plays it: the window lies inside the screen; Space pauses and resumes; F11 makes it
// fullscreen on the screen's own mode with the whole film letterboxed in it and F makes it a
// window again; a window resized by hand shows the whole film; Escape ends it.
namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;

// The window once it shows more than black in its middle (the film, not the lead-in); when
// the window was made anew for another mode, the new one rather than `previous`. Checks that
// it lies inside the screen.
Shot filmIn(XConnection& x, pid_t game, Window previous = 0)
{
    Window window = 0;
    eventually([&] { return (window = x.waitForWindow("Drennmoor", game, 1.0)) != 0 && window != previous; }, 30);
    if (window == previous)
        window = 0;
    int left = 0, top = 0, width = 0, height = 0;
    x.position(window, left, top);
    x.size(window, width, height);
    EXPECT_TRUE(window != 0 && left >= 0 && top >= 0 && left + width <= kScreenWidth && top + height <= kScreenHeight)
        << width << "x" << height << " at " << left << "," << top;
    return window != 0 ? x.waitForFilm(window, 40.0) : Shot();
}

} // namespace

TEST(SmallScreen, ViewerKeysAndAResizedWindowKeepTheWholeFilm)
{
    VirtualScreen screen(kScreenWidth, kScreenHeight);
    ASSERT_FALSE(screen.name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", screen.name().c_str(), 1);
    XConnection x(screen.name().c_str());
    ASSERT_TRUE(x.isOpen());
    TempDir dir;
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt");

    // Windowed: inside the screen, in the film's shape, the film filling it.
    const Shot windowed = filmIn(x, game.pid());
    ASSERT_FALSE(windowed.pixels.empty());
    EXPECT_NEAR(static_cast<double>(windowed.width) / windowed.height, 16.0 / 9.0, 0.01);
    EXPECT_GT(windowed.rows(windowed.height * 2 / 5, windowed.height * 3 / 5), 30.0) << "the film shows";

    // Space held past the keyboard's repeat delay is one press: the picture holds, with the
    // pause mark's two bars in the top-right corner, until Space again.
    Window window = x.waitForWindow("Drennmoor", game.pid(), 5.0);
    x.focus(window);
    x.setKey(XK_space, true);
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));
    const Shot paused = x.shot(window);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    EXPECT_TRUE(x.shot(window).pixels == paused.pixels) << "paused, the picture holds";
    x.setKey(XK_space, false);
    const int right = paused.width - 28;  // the mark's right edge, 28 pixels in from the window's
    EXPECT_GT(paused.area(right - 8, 28, right, 56), paused.area(right - 16, 28, right - 8, 56) + 150.0)
        << "a light bar of the pause mark beside the film's dark corner";
    // Not at once: a release and a press in the same millisecond are the keyboard's repeat.
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    x.pressKey(XK_space, window);
    EXPECT_TRUE(x.waitForShot(window, 20.0, [&](const Shot& shot) { return shot.pixels != paused.pixels; }).pixels !=
                paused.pixels)
        << "resumed, the film moves on";

    // F11 and F: fullscreen on the screen's own mode, black bars above and below a 1280 x 720
    // film.
    x.pressKey(XK_F11);
    const Shot letterboxed = filmIn(x, game.pid(), window);
    ASSERT_EQ(letterboxed.width, kScreenWidth);
    ASSERT_EQ(letterboxed.height, kScreenHeight);
    EXPECT_EQ(letterboxed.rows(0, 152), 0.0) << "a black bar above";
    EXPECT_EQ(letterboxed.rows(872, 1024), 0.0) << "a black bar below";
    EXPECT_GT(letterboxed.rows(152 + 288, 152 + 432), 30.0) << "the film with its textures and vignette";
    const Window fullscreen = x.waitForWindow("Drennmoor", game.pid(), 5.0);
    x.pressKey(XK_f);
    const Shot windowedAgain = filmIn(x, game.pid(), fullscreen);
    EXPECT_EQ(windowedAgain.height, windowed.height) << "a window again";
    EXPECT_GT(windowedAgain.rows(200, 400), 30.0);

    // Resized by the user to a square: the whole film, 800 x 450, between black bars.
    window = x.waitForWindow("Drennmoor", game.pid(), 5.0);
    x.resize(window, 800, 800);
    const auto filmBetweenBars = [](const Shot& shot) {
        return shot.width == 800 && shot.height == 800 && shot.rows(0, 175) == 0.0 && shot.rows(625, 800) == 0.0 &&
               shot.rows(320, 480) > 30.0;
    };
    const Shot square = x.waitForShot(window, 20.0, filmBetweenBars);
    EXPECT_TRUE(filmBetweenBars(square)) << square.width << "x" << square.height << ": the film between black bars";

    x.pressKey(XK_Escape, window);
    EXPECT_EQ(game.waitForExit(20.0), 0) << readFile(dir.path() + "/stderr.txt");
}
