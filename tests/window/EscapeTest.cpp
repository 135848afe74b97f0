// GoogleTest comes before Xlib, whose macros (None, Bool, ...) would break it.
#include <gtest/gtest.h>

#include "GameProcess.hpp"
#include "XWindows.hpp"
#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <chrono>
#include <thread>

// Escape belongs to the game's own window: held while another window (or the desktop) has the
// keyboard it leaves the film alone; in the game's window even a tap shorter than a frame
// ends it with 0.
namespace {

constexpr int kStillRunning = -1000;  // what waitForExit says of a running game
const auto kHeld = std::chrono::milliseconds(600);

} // namespace

TEST(EscapeKey, HeldInAnotherWindowLeavesTheFilmPlayingAndATapInItsOwnEndsIt)
{
    XConnection x;
    ASSERT_TRUE(x.isOpen());
    TempDir dir;
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt");
    const Window window = x.waitForWindow("Drennmoor", game.pid(), 30.0);
    // Once the film shows, the game reads its keys every frame.
    ASSERT_TRUE(window != 0 && x.waitForFilm(window, 30.0).showsFilm());
    const Window other = x.openPlainWindow();
    for (const Window elsewhere : {other, x.root()}) {
        x.focus(elsewhere);
        x.setKey(XK_Escape, true);
        std::this_thread::sleep_for(kHeld);
        x.setKey(XK_Escape, false);
        EXPECT_EQ(game.waitForExit(0.5), kStillRunning) << "Escape held in window " << elsewhere;
    }
    // Back in the game's window, a tap pressed and released in one request, over before the
    // next frame asks the keyboard, ends the film.
    x.pressKey(XK_Escape, window);
    EXPECT_EQ(game.waitForExit(20.0), 0) << readFile(dir.path() + "/stderr.txt");
}
