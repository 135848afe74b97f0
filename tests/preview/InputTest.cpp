#include <gtest/gtest.h>

#include "window/GameProcess.hpp"
#include "window/XWindows.hpp"

#include "support/TestSupport.hpp"

#include <X11/keysym.h>

#include <signal.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <thread>

namespace fs = std::filesystem;

// The real preview in a window on the test display, moved by key presses: each seek ends with
// a line "drennmoor-preview: at T s, frame N, scene" on standard error.

namespace {
// Waits up to `seconds` for the last line of the file that starts with `prefix` to match
// `expected`.
bool waitForLine(const std::string& file, const std::string& prefix, const std::regex& expected, double seconds,
                 std::string& last)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        std::ifstream in(file);
        std::string line;
        while (std::getline(in, line))
            if (line.rfind(prefix, 0) == 0)
                last = line;
        if (std::regex_match(last, expected))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

bool waitForPosition(const std::string& file, const std::string& position, double seconds, std::string& last)
{
    return waitForLine(file, "drennmoor-preview: at ", std::regex("drennmoor-preview: " + position + " \\(.*\\)"),
                       seconds, last);
}

void expectSavedAsTheFilmRendererWritesIt(XConnection& windows, Window window, const std::string& errors,
                                          const std::string& folder, const std::string& time)
{
    const std::string name = "frame_" + time + ".png";
    const fs::path saved = fs::path(stagedGameFolder()) / name;
    windows.pressKey(XK_s, window);
    std::string last;
    ASSERT_TRUE(waitForLine(errors, "drennmoor-preview: saved", std::regex("drennmoor-preview: saved " + name + ".*"), 10,
                            last))
        << last;
    const std::string film = "cd " + stagedGameFolder() + " && ./drennmoor-film --fps 10 --at " + time + " --out " +
                             folder + " 2>/dev/null";
    ASSERT_EQ(std::system(film.c_str()), 0);
    const std::string ours = readFile(saved.string());
    fs::remove(saved);
    EXPECT_FALSE(ours.empty());
    EXPECT_TRUE(ours == readFile(folder + "/" + name)) << name << " differs from the film renderer's";
}
}

// Every seek, back or forward, happens in the preview's own process and window.
TEST(PreviewInput, KeysMoveTheTimeInTheSameProcess)
{
    TempDir folder;
    const std::string errors = folder.path() + "/stderr.txt";
    GameProcess preview(stagedGameFolder(), errors, "drennmoor-preview", {"--at", "10", "--paused", "--fps", "10"});
    XConnection windows;
    ASSERT_TRUE(windows.isOpen());

    // At 10 frames a second the lead-in lasts 26 frames.
    struct Step {
        KeySym key;
        bool shift;
        std::string position;  // the line after the key
    };
    const Step steps[] = {
        {XK_Right, false, "at 15.000 s, frame 176, opening, paused"},   // 5 s on
        {XK_period, false, "at 15.100 s, frame 177, opening, paused"},  // a frame on
        {XK_comma, false, "at 15.000 s, frame 176, opening, paused"},   // a frame back
        {XK_Left, false, "at 10.000 s, frame 126, opening, paused"},    // 5 s back
        {XK_Left, true, "at 9.000 s, frame 116, opening, paused"},      // 1 s back
        {XK_Next, false, "at 32\\.[0-9]+ s, frame 3[45][0-9], walk, paused"},  // the walk's first frame
        {XK_Prior, false, "at 0.000 s, frame 26, opening, paused"},     // the opening's first frame
        {XK_Home, false, "at -2.500 s, frame 1, lead-in, paused"},      // as a fresh start
    };
    std::string last;
    ASSERT_TRUE(waitForPosition(errors, "at 10.000 s, frame 126, opening, paused", 120, last)) << last;
    const Window window = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
    ASSERT_NE(window, 0u);
    for (const Step& step : steps) {
        // One frame is saved on the way: the film renderer's frame of that time, to the byte.
        if (step.key == XK_Left && !step.shift)
            expectSavedAsTheFilmRendererWritesIt(windows, window, errors, folder.path(), "0015.000");
        windows.pressKey(step.key, window, step.shift);
        EXPECT_TRUE(waitForPosition(errors, step.position, 10, last)) << last;
        // No restart: the same process, its window still there.
        EXPECT_EQ(kill(preview.pid(), 0), 0);
        EXPECT_EQ(windows.waitForWindow("Drennmoor preview", preview.pid(), 1), window);
    }
    // A typed time that is none was ignored without a word; now the notice says why.
    for (KeySym key : {XK_t, XK_n, XK_a, XK_n, XK_Return})
        windows.pressKey(key, window);
    EXPECT_TRUE(waitForLine(errors, "drennmoor-preview: nan",
                            std::regex("drennmoor-preview: nan is not a finite number"), 10, last))
        << last;
    windows.pressKey(XK_Escape, window);
    EXPECT_EQ(preview.waitForExit(5), 0);
}

// A build runs beside the film: a failed one leaves it playing with the error named; Escape
// during one ends the preview at once and the build with it.
TEST(PreviewInput, BuildsRunBesideTheFilmAndEscapeEndsThemAtOnce)
{
    TempDir folder;
    const fs::path root = folder.path();
    const fs::path game = root / "build/game";
    fs::create_directories(game);
    fs::copy_file(fs::path(stagedGameFolder()) / "drennmoor-preview", game / "drennmoor-preview");
    for (const char* shared : {"assets", "config.json"})
        fs::create_directory_symlink(fs::path(stagedGameFolder()) / shared, game / shared);
    fs::create_directories(root / "source/art");
    std::ofstream(root / "source/art/door.py") << "first\n";
    std::ofstream(root / "build/CMakeCache.txt") << "CMAKE_HOME_DIRECTORY:INTERNAL=" << (root / "source").string()
                                                 << "\n";
    // The stand-in build fails the first time as a picture script does; the second time it
    // says how far it is, notes its process and sleeps.
    const fs::path build = root / "build.sh";
    const std::string failed = (root / "failed").string();
    std::ofstream(build) << "#!/bin/sh\nif [ ! -e " << failed << " ]; then touch " << failed
                         << "; echo '  File \"" << (root / "source/art/door.py").string()
                         << "\", line 2'; echo \"SyntaxError: '(' was never closed\"; exit 1; fi\n"
                         << "echo \"[1/2] Generating images/door.png\"\necho $$ > " << (root / "pid").string()
                         << "\nexec sleep 60\n";
    fs::permissions(build, fs::perms::owner_all);

    const std::string errors = root.string() + "/stderr.txt";
    GameProcess preview(game.string(), errors, (game / "drennmoor-preview").string(),
                        {"--at", "1", "--build-program", build.string()});
    XConnection windows;
    ASSERT_TRUE(windows.isOpen());
    std::string last;
    ASSERT_TRUE(waitForPosition(errors, "at 1.000 s, frame .*", 120, last)) << last;
    const Window window = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
    ASSERT_NE(window, 0u);
    // A failed build leaves the film running, its first error named by file and line.
    std::ofstream(root / "source/art/door.py", std::ios::app) << "(\n";
    ASSERT_TRUE(waitForLine(errors, "drennmoor-preview: build failed",
                            std::regex("drennmoor-preview: build failed: SyntaxError: '\\(' was never closed "
                                       "\\(art/door.py:2\\)"),
                            10, last))
        << last;
    windows.pressKey(XK_Right, window);
    EXPECT_TRUE(waitForPosition(errors, "at [6-9]\\.[0-9]+ s, frame .*", 10, last)) << last;

    std::ofstream(root / "source/art/door.py", std::ios::app) << "changed\n";
    ASSERT_TRUE(waitForLine(errors, "[", std::regex("\\[1/2\\] Generating images/door.png"), 10, last)) << last;
    std::string pid;
    for (int wait = 0; wait < 100 && pid.empty(); ++wait) {
        std::ifstream(root / "pid") >> pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_FALSE(pid.empty());

    windows.pressKey(XK_Escape, window);
    EXPECT_EQ(preview.waitForExit(1.0), 0);
    EXPECT_NE(kill(std::stoi(pid), 0), 0) << "the build still runs";
}
