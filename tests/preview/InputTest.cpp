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

// <root>/build/game with a copy of the preview and the staged game's data, a build's game
// folder built from <root>/source, which holds `source` ("first"), by the stand-in build
// program <root>/build.sh, whose script is `build`.
fs::path makeBuildBeside(const fs::path& root, const std::string& source, const std::string& build)
{
    const fs::path game = root / "build/game";
    fs::create_directories(game);
    fs::copy_file(fs::path(stagedGameFolder()) / "drennmoor-preview", game / "drennmoor-preview");
    for (const char* shared : {"assets", "config.json"})
        fs::create_directory_symlink(fs::path(stagedGameFolder()) / shared, game / shared);
    fs::create_directories((root / "source" / source).parent_path());
    std::ofstream(root / "source" / source) << "first\n";
    std::ofstream(root / "build/CMakeCache.txt") << "CMAKE_HOME_DIRECTORY:INTERNAL=" << (root / "source").string()
                                                 << "\n";
    std::ofstream(root / "build.sh") << "#!/bin/sh\n" << build;
    fs::permissions(root / "build.sh", fs::perms::owner_all);
    return game;
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
    const std::string session = folder.path() + "/session.txt";
    GameProcess preview(stagedGameFolder(), errors, "drennmoor-preview", {"--at", "10", "--paused", "--fps", "10", "--session", session});
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

// Past the end, the keys land on the film's last frame, the credits' last, and S saves the
// frame the film renderer draws there.
TEST(PreviewInput, PastTheEndTheKeysLandOnTheLastFrameAsTheFilmRendererDrawsIt)
{
    TempDir folder;
    const std::string errors = folder.path() + "/stderr.txt";
    const std::string session = folder.path() + "/session.txt";
    GameProcess preview(stagedGameFolder(), errors, "drennmoor-preview", {"--at", "199", "--paused", "--fps", "10", "--session", session});
    XConnection windows;
    ASSERT_TRUE(windows.isOpen());
    std::string last;
    ASSERT_TRUE(waitForPosition(errors, "at 199.000 s, frame .*", 120, last)) << last;
    const Window window = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
    ASSERT_NE(window, 0u);
    windows.pressKey(XK_Right, window);
    const std::string end = "at (2[0-9]{2}\\.[0-9]{3}) s, frame [0-9]+, credits, paused, the end";
    ASSERT_TRUE(waitForPosition(errors, end, 30, last)) << last;
    std::smatch time;
    ASSERT_TRUE(std::regex_search(last, time, std::regex("at ([0-9.]+) s")));
    const std::string endLine = last;
    // The next scene after the credits is their end too.
    windows.pressKey(XK_Left, window);
    ASSERT_TRUE(waitForPosition(errors, "at 19[0-9].* s, frame .*", 30, last)) << last;
    windows.pressKey(XK_Next, window);
    ASSERT_TRUE(waitForPosition(errors, end, 30, last)) << last;
    EXPECT_EQ(last.substr(0, last.find(" (")), endLine.substr(0, endLine.find(" (")));
    char name[32];
    std::snprintf(name, sizeof name, "%08.3f", std::stod(time[1].str()));
    expectSavedAsTheFilmRendererWritesIt(windows, window, errors, folder.path(), name);
    windows.pressKey(XK_Escape, window);
    EXPECT_EQ(preview.waitForExit(5), 0);
}

// A drag reports each move's time from the pointer's own motion, not from the press.
TEST(PreviewInput, ADragCountsEachMovesTimeFromItsOwnMotion)
{
    TempDir folder;
    const std::string errors = folder.path() + "/stderr.txt";
    const std::string session = folder.path() + "/session.txt";
    GameProcess preview(stagedGameFolder(), errors, "drennmoor-preview", {"--at", "10", "--paused", "--fps", "10", "--session", session});
    XConnection windows;
    ASSERT_TRUE(windows.isOpen());
    std::string last;
    ASSERT_TRUE(waitForPosition(errors, "at 10.000 s, frame .*", 120, last)) << last;
    const Window window = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
    ASSERT_NE(window, 0u);
    int width = 0;
    int height = 0;
    windows.size(window, width, height);
    // On the strip of seconds above the bar, then along the bar itself.
    windows.movePointer(window, width / 10, height - 12 - 44 - 10);
    windows.setButton(true);
    ASSERT_TRUE(waitForPosition(errors, "at 1[0-9]\\.[0-9]+ s, frame .*", 30, last)) << last;
    const auto pressed = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - pressed < std::chrono::seconds(3))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    windows.movePointer(window, width / 2, height - 12 - 20);
    ASSERT_TRUE(waitForPosition(errors, "at 9[0-9]\\.[0-9]+ s, frame .*", 30, last)) << last;
    windows.setButton(false);
    std::smatch took;
    ASSERT_TRUE(std::regex_search(last, took, std::regex("\\(([0-9]+) ms\\)")));
    EXPECT_LT(std::stoi(took[1].str()), 2500) << last;
    windows.pressKey(XK_Escape, window);
    EXPECT_EQ(preview.waitForExit(5), 0);

    // --resume starts where it stopped.
    const std::string stopped = last.substr(0, last.find(" ("));
    const std::string again = folder.path() + "/again.txt";
    GameProcess resumed(stagedGameFolder(), again, "drennmoor-preview", {"--resume", "--session", session});
    ASSERT_TRUE(waitForLine(again, "drennmoor-preview: at ", std::regex(stopped + " \\(.*\\)"), 120, last)) << last;
    const Window resumedWindow = windows.waitForWindow("Drennmoor preview", resumed.pid(), 60);
    ASSERT_NE(resumedWindow, 0u);
    windows.pressKey(XK_Escape, resumedWindow);
    EXPECT_EQ(resumed.waitForExit(5), 0);
}

// What a broken data file makes the film print is said once, as it loads: going back and
// replaying the scenes does not print it again.
TEST(PreviewInput, AReplaySaysNothingTheLoadSaid)
{
    TempDir folder;
    const fs::path game = fs::path(folder.path()) / "game";
    fs::create_directories(game / "assets");
    fs::copy_file(fs::path(stagedGameFolder()) / "drennmoor-preview", game / "drennmoor-preview");
    fs::create_symlink(fs::path(stagedGameFolder()) / "config.json", game / "config.json");
    for (const auto& entry : fs::directory_iterator(fs::path(stagedGameFolder()) / "assets"))
        if (entry.path().filename() != "sprites.json")
            fs::create_symlink(entry.path(), game / "assets" / entry.path().filename());
    std::ofstream(game / "assets/sprites.json") << "{\"sprites\": {\n";
    const std::string errors = folder.path() + "/stderr.txt";
    GameProcess preview(game.string(), errors, (game / "drennmoor-preview").string(),
                        {"--at", "70", "--paused", "--fps", "10"});
    XConnection windows;
    ASSERT_TRUE(windows.isOpen());
    std::string last;
    ASSERT_TRUE(waitForPosition(errors, "at 70.000 s, frame .*", 120, last)) << last;
    const Window window = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
    ASSERT_NE(window, 0u);
    auto missing = [&] {
        std::ifstream in(errors);
        int count = 0;
        for (std::string line; std::getline(in, line);)
            count += line.find("does not exist") != std::string::npos;
        return count;
    };
    const int loaded = missing();
    EXPECT_GT(loaded, 0);
    windows.pressKey(XK_Left, window);
    ASSERT_TRUE(waitForPosition(errors, "at 65.000 s, frame .*", 30, last)) << last;
    EXPECT_EQ(missing(), loaded);
    windows.pressKey(XK_Escape, window);
    EXPECT_EQ(preview.waitForExit(5), 0);
}

// A rebuilt preview takes over with the session as it was: the loop and its marks, the
// speed and the mute. The stand-in build succeeds at once, so the same program takes over.
TEST(PreviewInput, ARebuildKeepsTheSession)
{
    TempDir folder;
    const fs::path root = folder.path();
    const fs::path game = makeBuildBeside(root, "src/Scene.cpp", "exit 0\n");
    const fs::path build = root / "build.sh";
    const std::string errors = root.string() + "/stderr.txt";
    const std::string session = root.string() + "/session.txt";
    GameProcess preview(game.string(), errors, (game / "drennmoor-preview").string(),
                        {"--at", "10", "--paused", "--fps", "10", "--build-program", build.string(), "--session",
                         session});
    XConnection windows;
    ASSERT_TRUE(windows.isOpen());
    std::string last;
    ASSERT_TRUE(waitForPosition(errors, "at 10.000 s, frame .*", 120, last)) << last;
    const Window window = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
    ASSERT_NE(window, 0u);
    windows.pressKey(XK_i, window);
    windows.pressKey(XK_Right, window, true);
    ASSERT_TRUE(waitForPosition(errors, "at 11.000 s, frame .*", 30, last)) << last;
    for (KeySym key : {XK_o, XK_l, XK_bracketleft, XK_m})
        windows.pressKey(key, window);
    ASSERT_TRUE(waitForLine(errors, "drennmoor-preview: muted", std::regex(".*"), 10, last)) << last;

    std::ofstream(root / "source/src/Scene.cpp", std::ios::app) << "changed\n";
    ASSERT_TRUE(waitForLine(errors, "drennmoor-preview: the rebuilt", std::regex(".*takes over"), 30, last)) << last;
    ASSERT_TRUE(waitForLine(errors, "drennmoor-preview: rebuilt", std::regex(".*at 11.00 s"), 60, last)) << last;
    ASSERT_TRUE(waitForPosition(errors, "at 11.000 s, frame .*", 60, last)) << last;
    // The new program's window (the same process, after exec).
    const Window taken = windows.waitForWindow("Drennmoor preview", preview.pid(), 60);
    ASSERT_NE(taken, 0u);
    windows.pressKey(XK_Right, taken);
    EXPECT_TRUE(waitForPosition(errors, "at 16.000 s, frame .*", 20, last)) << last;
    windows.pressKey(XK_Escape, taken);
    EXPECT_EQ(preview.waitForExit(5), 0);
    const std::string kept = readFile(session);
    for (const char* state : {"--speed\n0.5\n", "--loop-in\n10.000000\n", "--loop-out\n11.000000\n", "--looping\n",
                              "--muted\n"})
        EXPECT_NE(kept.find(state), std::string::npos) << state << " not in\n" << kept;
}

// A build runs beside the film: a failed one leaves it playing with the error named; Escape
// during one ends the preview at once and the build with it.
TEST(PreviewInput, BuildsRunBesideTheFilmAndEscapeEndsThemAtOnce)
{
    TempDir folder;
    const fs::path root = folder.path();
    // The stand-in build fails the first time as a picture script does; the second time it
    // says how far it is, notes its process and sleeps.
    const std::string failed = (root / "failed").string();
    const fs::path game = makeBuildBeside(
        root, "art/door.py",
        "if [ ! -e " + failed + " ]; then touch " + failed + "; echo '  File \"" + (root / "source/art/door.py").string() +
            "\", line 2'; echo \"SyntaxError: '(' was never closed\"; exit 1; fi\n" +
            "echo \"[1/2] Generating images/door.png\"\necho $$ > " + (root / "pid").string() + "\nexec sleep 60\n");
    const fs::path build = root / "build.sh";

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
