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
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <thread>

// The real game where OpenAL opens no sound device, or loses it while the song plays: the film
// plays on silent after the game's one line, with no stream of error lines and no spinning
// thread, and Escape ends it with 0. Beside it, the same film with OpenAL's null device sets
// the processor time the film may take.
namespace {

// Seconds both films play side by side once they show the film, after the song began at 2.5 s:
// a failing song player floods standard error from its start.
constexpr double kPlayFor = 4.0;
constexpr double kMostCpuOverNullDevice = 1.3;
constexpr long kMostLines = 15;
constexpr double kMostOwnThreadsOverFrameLoop = 0.5;

// Processor seconds the threads of `after` other than the main one used since `before`.
double otherThreadsSince(const std::map<long, double>& before, const std::map<long, double>& after, long main)
{
    double seconds = 0.0;
    for (const auto& [thread, now] : after)
        if (thread != main)
            seconds += now - (before.count(thread) != 0 ? before.at(thread) : 0.0);
    return seconds;
}

// Whether other work keeps the machine's cores too busy for two games to get an even share:
// the last minute's load average beyond twice the cores.
bool machineBusy()
{
    double load = 0.0;
    std::ifstream("/proc/loadavg") >> load;
    return load > 2.0 * std::thread::hardware_concurrency();
}

// Plays the film with OpenAL's `drivers` beside the null device's film, each on a screen of its
// own alike, for kPlayFor seconds of film: the film shows, the game says `line` once among a
// few lines, no thread of it spins, and Escape and the close button end them with 0.
void expectSilentFilm(const std::string& drivers, const std::string& line)
{
    const bool busy = machineBusy();
    TempDir dir;
    VirtualScreen nullScreen(1920, 1080);
    VirtualScreen screen(1920, 1080);
    EXPECT_FALSE(nullScreen.name().empty() || screen.name().empty()) << "Xvfb did not start";
    XConnection nullX(nullScreen.name().c_str());
    XConnection x(screen.name().c_str());
    // Started together, they load, and fetch their later pictures on worker threads, alike.
    setenv("DISPLAY", nullScreen.name().c_str(), 1);
    GameProcess withDevice(stagedGameFolder(), dir.path() + "/null.txt");
    setenv("DISPLAY", screen.name().c_str(), 1);
    GameProcess game(stagedGameFolder(), dir.path() + "/stderr.txt", "drennmoor", {}, drivers);
    const Window nullWindow = nullX.waitForWindow("Drennmoor", withDevice.pid(), 30.0);
    const Window window = x.waitForWindow("Drennmoor", game.pid(), 30.0);
    EXPECT_TRUE(nullWindow != 0 && window != 0);

    EXPECT_TRUE(x.waitForFilm(window, 30.0).showsFilm()) << "the film shows";
    EXPECT_TRUE(nullX.waitForFilm(nullWindow, 30.0).showsFilm());
    const double cpuBefore = game.cpuSeconds();
    const double nullCpuBefore = withDevice.cpuSeconds();
    const std::map<long, double> threadsBefore = game.ownThreadsCpuSeconds();
    const std::map<long, double> nullThreadsBefore = withDevice.ownThreadsCpuSeconds();
    std::this_thread::sleep_for(std::chrono::duration<double>(kPlayFor));
    const double cpu = game.cpuSeconds() - cpuBefore;
    const double nullCpu = withDevice.cpuSeconds() - nullCpuBefore;
    // The game's frame loop (its main thread) and the other threads it started itself (the
    // song's stream among them).
    const std::map<long, double> threadsAfter = game.ownThreadsCpuSeconds();
    const long main = game.pid();
    const double frameLoopCpu = threadsBefore.count(main) != 0 && threadsAfter.count(main) != 0
                                    ? threadsAfter.at(main) - threadsBefore.at(main)
                                    : 0.0;
    const double ownThreadsCpu = otherThreadsSince(threadsBefore, threadsAfter, main);
    const double nullOwnThreadsCpu =
        otherThreadsSince(nullThreadsBefore, withDevice.ownThreadsCpuSeconds(), withDevice.pid());

    x.pressKey(XK_Escape, window);
    EXPECT_EQ(game.waitForExit(20.0), 0);
    nullX.sendCloseRequest(nullWindow);
    EXPECT_EQ(withDevice.waitForExit(20.0), 0);

    const std::string errors = readFile(dir.path() + "/stderr.txt");
    const auto once = errors.find(line + "\n");
    EXPECT_TRUE(once != std::string::npos && once == errors.rfind(line + "\n")) << errors.substr(0, 2000);
    EXPECT_LE(std::count(errors.begin(), errors.end(), '\n'), kMostLines) << errors.substr(0, 2000);
    std::ostringstream figures;
    figures << "processor seconds " << cpu << ", with the null device " << nullCpu << "; frame loop " << frameLoopCpu
            << ", the game's other threads " << ownThreadsCpu << ", with the null device " << nullOwnThreadsCpu;
    std::cout << figures.str() << std::endl;
    // Whatever the load, against the game's own frame loop: no thread of the game's spins (a
    // song that streams takes about a tenth of the frame loop's time; a spinning stream, all
    // a core gives it).
    EXPECT_LE(ownThreadsCpu, kMostOwnThreadsOverFrameLoop * frameLoopCpu) << figures.str();
    EXPECT_GT(frameLoopCpu, 0.0) << figures.str();
    // Against the null device's film only when the machine has the cores for both.
    if (busy)
        std::cout << "Too busy a machine to compare processor time: " << figures.str() << std::endl;
    else
        EXPECT_LE(cpu, kMostCpuOverNullDevice * nullCpu) << figures.str();
}

} // namespace

// A driver list naming none that exists: as a machine without sound hardware or server.
TEST(NoSoundDevice, FilmPlaysSilentAfterOneLineWithoutAFloodOrASpinningThread)
{
    expectSilentFilm("no-such-driver", "No sound device: the film plays without its song");
}

// OpenAL's wave writer on a full disk (/dev/full): its first write fails and the device is
// disconnected while the song plays, as an unplugged headset or a stopped sound server.
TEST(NoSoundDevice, ADeviceLostWhileTheSongPlaysEndsItOnce)
{
    TempDir dir;
    setenv("ALSOFT_CONF", dir.write("alsoft.conf", "[wave]\nfile = /dev/full\n").c_str(), 1);
    expectSilentFilm("wave", "Sound device lost: the film goes on without its song");
}
