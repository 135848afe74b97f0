// GoogleTest comes before Xlib, whose macros (None, Bool, ...) would break it.
#include <gtest/gtest.h>

#include "GameProcess.hpp"
#include "VirtualScreen.hpp"
#include "XWindows.hpp"
#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <cstdlib>
#include <sstream>
#include <unistd.h>

// The real game on the most common screen, 1920 x 1080, under a window manager (openbox) with
// a panel (tint2) along one edge: the window the game asks for already has its frame inside
// what the panel leaves, so the window manager has nothing to move or shrink. The window gets
// the film's shape, as large as the work area allows, its frame centred there.
namespace {

constexpr int kScreenWidth = 1920;
constexpr int kScreenHeight = 1080;

} // namespace

TEST(WindowManager, TheFramedWindowFitsThePanelsWorkAreaAsTheGameAskedIt)
{
    if (access("/usr/bin/openbox", X_OK) != 0 || access("/usr/bin/tint2", X_OK) != 0)
        GTEST_SKIP() << "openbox and tint2 are not installed (game.sh installs them)";
    VirtualScreen screen(kScreenWidth, kScreenHeight);
    ASSERT_FALSE(screen.name().empty()) << "Xvfb did not start";
    setenv("DISPLAY", screen.name().c_str(), 1);
    TempDir dir;
    // The window manager and the panel keep their settings and logs in the test's folder.
    setenv("XDG_CONFIG_HOME", dir.path().c_str(), 1);
    setenv("XDG_CACHE_HOME", dir.path().c_str(), 1);
    XConnection x(screen.name().c_str());
    ASSERT_TRUE(x.isOpen());
    GameProcess windowManager(dir.path(), dir.path() + "/openbox.txt", "/usr/bin/openbox");
    GameProcess panel(dir.path(), dir.path() + "/tint2.txt", "/usr/bin/tint2", {"-c", "/etc/xdg/tint2/tint2rc"});
    int area[4];
    ASSERT_TRUE(eventually(
        [&] {
            x.workArea(area);
            return area[2] > 0 && area[3] > 0 && area[2] * area[3] < kScreenWidth * kScreenHeight;
        },
        30))
        << "no panel took an edge of the work area: " << readFile(dir.path() + "/tint2.txt");

    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt");
    const Window window = x.waitForWindow("Drennmoor", game.pid(), 30.0);
    ASSERT_NE(window, 0u) << readFile(dir.path() + "/stderr.txt");
    EXPECT_TRUE(x.waitForFilm(window, 40.0).showsFilm());
    int frame[4];  // left, right, top, bottom
    x.frameExtents(window, frame);
    int left = 0, top = 0, width = 0, height = 0;
    x.position(window, left, top);
    x.size(window, width, height);
    const int frameLeft = left - frame[0];
    const int frameTop = top - frame[2];
    const int frameRight = left + width + frame[1];
    const int frameBottom = top + height + frame[3];
    std::ostringstream where;
    where << width << "x" << height << " at " << left << "," << top << ", frame " << frameLeft << "," << frameTop
          << " to " << frameRight << "," << frameBottom << ", work area " << area[0] << "," << area[1] << " "
          << area[2] << "x" << area[3];
    EXPECT_GT(frame[2], 0) << "a title bar: " << where.str();
    EXPECT_TRUE(frameLeft >= area[0] && frameTop >= area[1] && frameRight <= area[0] + area[2] &&
                frameBottom <= area[1] + area[3])
        << "the frame inside the work area: " << where.str();
    // A window the window manager shrank into the area loses the film's shape.
    EXPECT_LE(std::abs(width * 9 - height * 16), 16) << "the film's shape, as asked: " << where.str();
    EXPECT_TRUE(frameBottom - frameTop == area[3] || frameRight - frameLeft == area[2])
        << "as large as the area allows: " << where.str();
    EXPECT_LE(std::abs((frameLeft - area[0]) - (area[0] + area[2] - frameRight)), 1) << "centred: " << where.str();

    x.pressKey(XK_Escape, window);
    EXPECT_EQ(game.waitForExit(20.0), 0) << readFile(dir.path() + "/stderr.txt");
}
