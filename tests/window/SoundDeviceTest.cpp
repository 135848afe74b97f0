// GoogleTest comes before Xlib, whose macros (None, Bool, ...) would break it.
#include <gtest/gtest.h>

#include "GameProcess.hpp"
#include "VirtualScreen.hpp"
#include "XWindows.hpp"
#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

// The real game on a machine where OpenAL opens no sound device (its driver list names none
// that exists, as on a machine without sound hardware or server): the film plays silent after
// the game's one line, with no stream of error lines and no spinning thread, and Escape ends
// it with 0. Beside it, the same film with OpenAL's null device sets the processor time
// the film may take.
namespace {

// Seconds both films play side by side once their windows are up: the song would begin at
// 2.5 s, and a failing song player would have flooded standard error long before the end.
constexpr double kPlayFor = 6.0;
constexpr double kMostCpuOverNullDevice = 1.3;
const std::string kNoDeviceLine = "No sound device: the film plays without its song\n";

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

} // namespace

TEST(NoSoundDevice, FilmPlaysSilentAfterOneLineWithoutAFloodOrASpinningThread)
{
    XConnection x;
    ASSERT_TRUE(x.isOpen());
    TempDir dir;
    // On a screen of its own, so that the two windows of one title are told apart.
    VirtualScreen nullScreen(1920, 1080);
    ASSERT_FALSE(nullScreen.name().empty()) << "Xvfb did not start";
    XConnection nullX(nullScreen.name().c_str());
    const std::string display = getenv("DISPLAY");
    setenv("DISPLAY", nullScreen.name().c_str(), 1);
    GameProcess withDevice(stagedGameFolder(), dir.path() + "/null.txt");
    setenv("DISPLAY", display.c_str(), 1);
    const Window nullWindow = nullX.waitForWindow("Drennmoor", withDevice.pid(), 30.0);
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt", "drennmoor", {}, "no-such-driver");
    const Window window = x.waitForWindow("Drennmoor", game.pid(), 30.0);
    ASSERT_TRUE(nullWindow != 0 && window != 0) << readFile(dir.path() + "/stderr.txt").substr(0, 2000);

    const double gameStart = game.cpuSeconds();
    const double nullStart = withDevice.cpuSeconds();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(x.waitForFilm(window, 30.0).showsFilm()) << "the film shows";
    std::this_thread::sleep_until(started + std::chrono::duration<double>(kPlayFor));
    const double gameUsed = game.cpuSeconds() - gameStart;
    const double nullUsed = withDevice.cpuSeconds() - nullStart;

    x.pressKey(XK_Escape, window);
    EXPECT_EQ(game.waitForExit(20.0), 0);
    nullX.sendCloseRequest(nullWindow);
    EXPECT_EQ(withDevice.waitForExit(20.0), 0);

    const std::string errors = readFile(dir.path() + "/stderr.txt");
    EXPECT_EQ(occurrences(errors, kNoDeviceLine), 1u) << errors.substr(0, 2000);
    EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), 15) << errors.substr(0, 2000);
    EXPECT_LE(gameUsed, kMostCpuOverNullDevice * nullUsed) << "processor seconds without a device " << gameUsed
                                                           << ", with the null device " << nullUsed;
}
