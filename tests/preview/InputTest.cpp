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
#include <memory>
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
        last.clear();
        while (std::getline(in, line))
            if (line.rfind(prefix, 0) == 0)
                last = line;
        if (std::regex_match(last, expected))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
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
}

class PreviewInput : public ::testing::Test {
protected:
    // Starts the preview `program` in `game` and waits until its window shows `position`.
    void start(const std::vector<std::string>& arguments, const std::string& position,
               const std::string& game = stagedGameFolder(), const std::string& program = "drennmoor-preview")
    {
        ASSERT_TRUE(windows.isOpen());
        fs::remove(errors);  // a run before says nothing about this one
        preview = std::make_unique<GameProcess>(game, errors, program, arguments);
        ASSERT_TRUE(at(position, 120)) << last;
        window = windows.waitForWindow("Drennmoor preview", preview->pid(), 60);
        ASSERT_NE(window, 0u);
    }
    void startPaused(const std::string& time)
    {
        start({"--at", time, "--paused", "--fps", "10", "--session", session}, "at " + time + ".000 s, frame .*");
    }
    // Whether the last position line is `position` (a pattern) within `seconds`.
    bool at(const std::string& position, double seconds = 30)
    {
        return said("drennmoor-preview: at ", "drennmoor-preview: " + position + " \\(.*\\)", seconds);
    }
    bool said(const std::string& prefix, const std::string& line, double seconds = 10)
    {
        return waitForLine(errors, prefix, std::regex(line), seconds, last);
    }
    void press(KeySym key, bool shift = false) { windows.pressKey(key, window, shift); }
    void quit()
    {
        press(XK_Escape);
        EXPECT_EQ(preview->waitForExit(5), 0);
    }

    TempDir folder;
    const std::string errors = folder.path() + "/stderr.txt";
    const std::string session = folder.path() + "/session.txt";
    XConnection windows;
    std::unique_ptr<GameProcess> preview;
    Window window = 0;
    std::string last;
};

// Every seek, back or forward, happens in the preview's own process and window. Past the
// end, the keys land on the film's last frame, the credits' last, and S saves the frame the
// film renderer draws there.
TEST_F(PreviewInput, KeysMoveTheTimeInTheSameProcessAndPastTheEndLandOnTheLastFrame)
{
    ASSERT_NO_FATAL_FAILURE(startPaused("10"));
    // At 10 frames a second the lead-in lasts 26 frames.
    struct Step { KeySym key; bool shift; std::string position; /* the line after the key */ };
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
    for (const Step& step : steps) {
        press(step.key, step.shift);
        EXPECT_TRUE(at(step.position, 10)) << last;
        // No restart: the same process, its window still there.
        EXPECT_EQ(kill(preview->pid(), 0), 0);
        EXPECT_EQ(windows.waitForWindow("Drennmoor preview", preview->pid(), 1), window);
    }
    // A typed time that is none was ignored without a word; now the notice says why.
    for (KeySym key : {XK_t, XK_n, XK_a, XK_n, XK_Return, XK_t, XK_1, XK_9, XK_9, XK_Return})
        press(key);
    EXPECT_TRUE(said("drennmoor-preview: nan", "drennmoor-preview: nan is not a finite number")) << last;
    ASSERT_TRUE(at("at 199.000 s, frame .*")) << last;

    press(XK_Right);
    const std::string end = "at (2[0-9]{2}\\.[0-9]{3}) s, frame [0-9]+, credits, paused, the end";
    ASSERT_TRUE(at(end)) << last;
    const std::string endLine = last.substr(0, last.find(" ("));
    // The next scene after the credits is their end too.
    press(XK_Left);
    ASSERT_TRUE(at("at 19[0-9].* s, frame .*")) << last;
    press(XK_Next);
    ASSERT_TRUE(at(end)) << last;
    EXPECT_EQ(last.substr(0, last.find(" (")), endLine);
    std::smatch time;
    ASSERT_TRUE(std::regex_search(endLine, time, std::regex("at ([0-9.]+) s")));
    char name[32];
    std::snprintf(name, sizeof name, "frame_%08.3f.png", std::stod(time[1].str()));
    press(XK_s);
    ASSERT_TRUE(said("drennmoor-preview: saved", "drennmoor-preview: saved " + std::string(name) + ".*")) << last;
    const std::string film = "cd " + stagedGameFolder() + " && ./drennmoor-film --fps 10 --at " + time[1].str() +
                             " --out " + folder.path() + " 2>/dev/null";
    ASSERT_EQ(std::system(film.c_str()), 0);
    const fs::path saved = fs::path(stagedGameFolder()) / name;
    const std::string ours = readFile(saved.string());
    fs::remove(saved);
    EXPECT_FALSE(ours.empty());
    EXPECT_TRUE(ours == readFile(folder.path() + "/" + name)) << name << " differs from the film renderer's";
    quit();
}

// A drag reports each move's time from the pointer's own motion, not from the press; --resume
// then starts where it stopped.
TEST_F(PreviewInput, ADragCountsEachMovesTimeFromItsOwnMotion)
{
    ASSERT_NO_FATAL_FAILURE(startPaused("10"));
    int width = 0;
    int height = 0;
    windows.size(window, width, height);
    // On the strip of seconds above the bar, then along the bar itself.
    windows.movePointer(window, width / 10, height - 12 - 44 - 10);
    windows.setButton(true);
    ASSERT_TRUE(at("at 1[0-9]\\.[0-9]+ s, frame .*")) << last;
    std::this_thread::sleep_for(std::chrono::seconds(3));  // the press's time must not count in the move's
    windows.movePointer(window, width / 2, height - 12 - 20);
    ASSERT_TRUE(at("at 9[0-9]\\.[0-9]+ s, frame .*")) << last;
    windows.setButton(false);
    std::smatch took;
    ASSERT_TRUE(std::regex_search(last, took, std::regex("\\(([0-9]+) ms\\)")));
    EXPECT_LT(std::stoi(took[1].str()), 2500) << last;
    quit();

    const std::string stopped = last.substr(0, last.find(" ("));
    ASSERT_NO_FATAL_FAILURE(start({"--resume", "--session", session}, stopped.substr(stopped.find("at "))));
    quit();
}

// What a broken data file makes the film print is said once, as it loads: going back and
// replaying the scenes does not print it again.
TEST_F(PreviewInput, AReplaySaysNothingTheLoadSaid)
{
    const fs::path game = fs::path(folder.path()) / "game";
    fs::create_directories(game / "assets");
    fs::copy_file(fs::path(stagedGameFolder()) / "drennmoor-preview", game / "drennmoor-preview");
    fs::create_symlink(fs::path(stagedGameFolder()) / "config.json", game / "config.json");
    for (const auto& entry : fs::directory_iterator(fs::path(stagedGameFolder()) / "assets"))
        if (entry.path().filename() != "sprites.json")
            fs::create_symlink(entry.path(), game / "assets" / entry.path().filename());
    std::ofstream(game / "assets/sprites.json") << "{\"sprites\": {\n";
    ASSERT_NO_FATAL_FAILURE(start({"--at", "70", "--paused", "--fps", "10"}, "at 70.000 s, frame .*", game.string(),
                                  (game / "drennmoor-preview").string()));
    auto missing = [&] {
        std::ifstream in(errors);
        int count = 0;
        for (std::string line; std::getline(in, line);)
            count += line.find("does not exist") != std::string::npos;
        return count;
    };
    const int loaded = missing();
    EXPECT_GT(loaded, 0);
    press(XK_Left);
    ASSERT_TRUE(at("at 65.000 s, frame .*")) << last;
    EXPECT_EQ(missing(), loaded);
    quit();
}

// A rebuilt preview takes over with the session as it was: the loop and its marks, the speed
// and the mute; and every key pressed in its window meanwhile counts, the hand-over's too.
// The stand-in build succeeds at once, so the same program takes over.
TEST_F(PreviewInput, ARebuildKeepsTheSession)
{
    const fs::path root = folder.path();
    const fs::path game = makeBuildBeside(root, "src/Scene.cpp", "exit 0\n");
    ASSERT_NO_FATAL_FAILURE(start({"--at", "10", "--paused", "--fps", "10", "--build-program",
                                   (root / "build.sh").string(), "--session", session},
                                  "at 10.000 s, frame .*", game.string(), (game / "drennmoor-preview").string()));
    press(XK_i);
    press(XK_Right, true);
    ASSERT_TRUE(at("at 11.000 s, frame 136, .*")) << last;
    for (KeySym key : {XK_o, XK_l, XK_bracketleft, XK_m})
        press(key);
    ASSERT_TRUE(said("drennmoor-preview: muted", ".*")) << last;

    // A frame on, again and again, to whichever window has the keyboard, from before the
    // hand-over until a while after the new program showed the film.
    std::ofstream(root / "source/src/Scene.cpp", std::ios::app) << "changed\n";
    int presses = 0;
    int pressesAfter = -1;
    for (const auto begun = std::chrono::steady_clock::now();
         pressesAfter < 10 && std::chrono::steady_clock::now() - begun < std::chrono::seconds(60); ++presses) {
        windows.pressKey(XK_period);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        if (pressesAfter >= 0) {
            ++pressesAfter;
            continue;
        }
        std::ifstream in(errors);
        bool rebuilt = false;
        for (std::string line; std::getline(in, line) && pressesAfter < 0;) {
            rebuilt = rebuilt || line.rfind("drennmoor-preview: rebuilt at ", 0) == 0;
            pressesAfter = rebuilt && line.rfind("drennmoor-preview: at ", 0) == 0 ? 0 : -1;
        }
    }
    ASSERT_EQ(pressesAfter, 10) << "the new program showed no film";
    const long frame = 136 + presses;
    EXPECT_TRUE(at("at [0-9.]+ s, frame " + std::to_string(frame) + ", .*", 30)) << last << ", not frame " << frame;
    // Nothing of the hand-over is left behind, not even an unreaped process.
    const std::string children = "/proc/" + std::to_string(preview->pid()) + "/task/" + std::to_string(preview->pid());
    EXPECT_TRUE(fs::exists(children + "/children") && readFile(children + "/children").empty());
    window = windows.waitForWindow("Drennmoor preview", preview->pid(), 60);
    quit();
    const std::string kept = readFile(session);
    for (const char* state : {"--speed\n0.5\n", "--loop-in\n10.000000\n", "--loop-out\n11.000000\n", "--looping\n",
                              "--muted\n"})
        EXPECT_NE(kept.find(state), std::string::npos) << state << " not in\n" << kept;
}

// A build runs beside the film: a failed one leaves it playing with the error named; Escape
// during one ends the preview at once and the build with it.
TEST_F(PreviewInput, BuildsRunBesideTheFilmAndEscapeEndsThemAtOnce)
{
    const fs::path root = folder.path();
    // The stand-in build fails the first time as a picture script does; the second time it
    // says how far it is, notes its process and sleeps.
    const std::string failed = (root / "failed").string();
    const fs::path game = makeBuildBeside(
        root, "art/door.py",
        "if [ ! -e " + failed + " ]; then touch " + failed + "; echo '  File \"" + (root / "source/art/door.py").string() +
            "\", line 2'; echo \"SyntaxError: '(' was never closed\"; exit 1; fi\n" +
            "echo \"[1/2] Generating images/door.png\"\necho $$ > " + (root / "pid").string() + "\nexec sleep 60\n");
    ASSERT_NO_FATAL_FAILURE(start({"--at", "1", "--build-program", (root / "build.sh").string()},
                                  "at 1.000 s, frame .*", game.string(), (game / "drennmoor-preview").string()));
    std::ofstream(root / "source/art/door.py", std::ios::app) << "(\n";
    ASSERT_TRUE(said("drennmoor-preview: build failed",
                     "drennmoor-preview: build failed: SyntaxError: '\\(' was never closed \\(art/door.py:2\\)"))
        << last;
    press(XK_Right);
    EXPECT_TRUE(at("at [6-9]\\.[0-9]+ s, frame .*", 10)) << last;

    std::ofstream(root / "source/art/door.py", std::ios::app) << "changed\n";
    ASSERT_TRUE(said("[", "\\[1/2\\] Generating images/door.png")) << last;
    std::string pid;
    for (int wait = 0; wait < 100 && pid.empty(); ++wait) {
        std::ifstream(root / "pid") >> pid;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    ASSERT_FALSE(pid.empty());
    press(XK_Escape);
    EXPECT_EQ(preview->waitForExit(1.0), 0);
    EXPECT_NE(kill(std::stoi(pid), 0), 0) << "the build still runs";
}
