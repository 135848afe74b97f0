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

// The real game where OpenAL opens no sound device, or loses it while the song plays: the film
// plays on silent after the game's one line, with no stream of error lines and no spinning
// thread, and Escape ends it with 0. Beside it, the same film with OpenAL's null device sets
// the processor time the film may take.
namespace {

// Seconds both films play side by side once their windows are up: the song would begin at
// 2.5 s, and a failing song player would have flooded standard error long before the end.
constexpr double kPlayFor = 6.0;
constexpr double kMostCpuOverNullDevice = 1.3;
constexpr long kMostLines = 15;

struct SilentRun {
    std::string errors;
    double cpu = 0.0;      // processor seconds while both played
    double nullCpu = 0.0;  // the same with the null device
};

std::size_t occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++count;
    return count;
}

// Plays the film with OpenAL's `drivers`, and the null device's film on a screen of its own (so
// that the two windows of one title are told apart), for kPlayFor seconds; checks that the
// film shows and that Escape and the close button end them with 0.
SilentRun playBesideNullDevice(const std::string& drivers)
{
    SilentRun run;
    XConnection x;
    VirtualScreen nullScreen(1920, 1080);
    EXPECT_TRUE(x.isOpen() && !nullScreen.name().empty());
    XConnection nullX(nullScreen.name().c_str());
    TempDir dir;
    const std::string display = getenv("DISPLAY");
    setenv("DISPLAY", nullScreen.name().c_str(), 1);
    GameProcess withDevice(stagedGameFolder(), dir.path() + "/null.txt");
    setenv("DISPLAY", display.c_str(), 1);
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt", "drennmoor", {}, drivers);
    const Window nullWindow = nullX.waitForWindow("Drennmoor", withDevice.pid(), 30.0);
    const Window window = x.waitForWindow("Drennmoor", game.pid(), 30.0);
    EXPECT_TRUE(nullWindow != 0 && window != 0);

    const double cpuBefore = game.cpuSeconds();
    const double nullCpuBefore = withDevice.cpuSeconds();
    const auto started = std::chrono::steady_clock::now();
    EXPECT_TRUE(x.waitForFilm(window, 30.0).showsFilm()) << "the film shows";
    std::this_thread::sleep_until(started + std::chrono::duration<double>(kPlayFor));
    run.cpu = game.cpuSeconds() - cpuBefore;
    run.nullCpu = withDevice.cpuSeconds() - nullCpuBefore;

    x.pressKey(XK_Escape, window);
    EXPECT_EQ(game.waitForExit(20.0), 0);
    nullX.sendCloseRequest(nullWindow);
    EXPECT_EQ(withDevice.waitForExit(20.0), 0);
    run.errors = readFile(dir.path() + "/stderr.txt");
    return run;
}

void expectOneLineAndNoSpinning(const SilentRun& run, const std::string& line)
{
    const std::string start = run.errors.substr(0, 2000);
    EXPECT_EQ(occurrences(run.errors, line + "\n"), 1u) << start;
    EXPECT_LE(std::count(run.errors.begin(), run.errors.end(), '\n'), kMostLines) << start;
    EXPECT_LE(run.cpu, kMostCpuOverNullDevice * run.nullCpu)
        << "processor seconds " << run.cpu << ", with the null device " << run.nullCpu;
}

} // namespace

// A driver list naming none that exists: as a machine without sound hardware or server.
TEST(NoSoundDevice, FilmPlaysSilentAfterOneLineWithoutAFloodOrASpinningThread)
{
    expectOneLineAndNoSpinning(playBesideNullDevice("no-such-driver"),
                               "No sound device: the film plays without its song");
}

// OpenAL's wave writer on a full disk (/dev/full): its first write fails and the device is
// disconnected while the song plays, as an unplugged headset or a stopped sound server.
TEST(NoSoundDevice, ADeviceLostWhileTheSongPlaysEndsItOnce)
{
    TempDir dir;
    setenv("ALSOFT_CONF", dir.write("alsoft.conf", "[wave]\nfile = /dev/full\n").c_str(), 1);
    expectOneLineAndNoSpinning(playBesideNullDevice("wave"), "Sound device lost: the film goes on without its song");
}
