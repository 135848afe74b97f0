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

struct Shot {
    int width = 0;
    int height = 0;
    std::vector<unsigned long> pixels;

    int brightness(int x, int y) const
    {
        const unsigned long p = pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                                       static_cast<std::size_t>(x)];
        return static_cast<int>(((p >> 16) & 0xff) + ((p >> 8) & 0xff) + (p & 0xff));
    }
    // The mean brightness (0 to 765) of the rows from `top` to `bottom`, excluded.
    double rows(int top, int bottom) const
    {
        double sum = 0.0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < width; ++x)
                sum += brightness(x, y);
        return sum / (static_cast<double>(bottom - top) * width);
    }
};

// Waits until the window shows more than black in its middle (the film, not the lead-in).
Shot waitForFilm(XConnection& x, Window window, double seconds)
{
    Shot shot;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        shot.pixels = x.screenshot(window, shot.width, shot.height);
        if (!shot.pixels.empty() && shot.rows(shot.height * 2 / 5, shot.height * 3 / 5) > 30.0)
            return shot;
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
    }
    return shot;
}

void expectInsideScreen(XConnection& x, Window window)
{
    int left = 0, top = 0, width = 0, height = 0;
    x.position(window, left, top);
    x.size(window, width, height);
    EXPECT_GE(left, 0);
    EXPECT_GE(top, 0);
    EXPECT_LE(left + width, kScreenWidth);
    EXPECT_LE(top + height, kScreenHeight);
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
    const Window window = x.waitForWindow("Drennmoor", game.pid(), 30.0);
    ASSERT_NE(window, 0u);

    // Windowed: inside the screen, in the film's shape, the film filling it.
    expectInsideScreen(x, window);
    Shot windowed = waitForFilm(x, window, 40.0);
    ASSERT_FALSE(windowed.pixels.empty());
    EXPECT_NEAR(static_cast<double>(windowed.width) / windowed.height, 16.0 / 9.0, 0.01);
    EXPECT_GT(windowed.rows(windowed.height * 2 / 5, windowed.height * 3 / 5), 30.0) << "the film shows";

    // Fullscreen on the screen's own mode: black bars above and below a 1280 x 720 film.
    // The window is made anew: give the old one time to go.
    x.pressKey(XK_F11);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Window full = x.waitForWindow("Drennmoor", game.pid(), 10.0);
    ASSERT_NE(full, 0u);
    Shot letterboxed = waitForFilm(x, full, 20.0);
    ASSERT_EQ(letterboxed.width, kScreenWidth);
    ASSERT_EQ(letterboxed.height, kScreenHeight);
    EXPECT_EQ(letterboxed.rows(0, 152), 0.0) << "a black bar above";
    EXPECT_EQ(letterboxed.rows(872, 1024), 0.0) << "a black bar below";
    EXPECT_GT(letterboxed.rows(152 + 288, 152 + 432), 30.0) << "the film with its textures and vignette";

    // And back to a window inside the screen; the film goes on until Escape.
    x.pressKey(XK_F11);
    std::this_thread::sleep_for(std::chrono::seconds(2));
    const Window again = x.waitForWindow("Drennmoor", game.pid(), 10.0);
    ASSERT_NE(again, 0u);
    expectInsideScreen(x, again);
    EXPECT_GT(waitForFilm(x, again, 20.0).rows(200, 400), 30.0);

    x.setEscape(true);
    const int status = game.waitForExit(20.0);
    x.setEscape(false);
    EXPECT_EQ(status, 0);
}
