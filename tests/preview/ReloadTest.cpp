#include "FilmFrames.hpp"
#include "PreviewOptions.hpp"
#include "PreviewSession.hpp"

#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <fstream>
#include <optional>
#include <vector>

namespace fs = std::filesystem;

// The preview's reload: a changed file in the game folder reloads the film at the frame it
// showed; in a build's game folder a changed source is built first, in the background, and
// the preview rebuilt from changed code takes over at the same frame. Driven frame by frame
// with a fixed dt; the builds and the relaunch are recorded instead of run.

namespace {
constexpr double kDt = 1.0 / 60.0;

void append(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::app) << text;
}

// The options a preview started with `arguments` (after the program's name) has.
std::optional<PreviewOptions> parsed(std::vector<std::string> arguments)
{
    arguments.insert(arguments.begin(), "drennmoor-preview");
    std::vector<char*> argv;
    for (std::string& word : arguments)
        argv.push_back(word.data());
    PreviewOptions options;
    std::string error;
    if (!options.parse(static_cast<int>(argv.size()), argv.data(), error))
        return std::nullopt;
    return options;
}

// A session over `gameFolder` at 3 s that records what it asks for, played with the film
// keeping up (each frame reached at once).
struct Recorded {
    std::vector<std::vector<std::string>> builds;
    std::optional<PreviewOptions> relaunchedWith;
    PreviewSession session;

    Recorded(const fs::path& gameFolder, bool paused)
        : session([paused] { PreviewOptions options; options.at = 3.0; options.paused = paused; return options; }(),
                  gameFolder.string(),
                  [this](const std::vector<std::string>& arguments) { relaunchedWith = parsed(arguments); },
                  [this](const std::vector<std::string>& command) { builds.push_back(command); })
    {
    }

    // Plays `seconds`, or until `done` holds.
    void play(double seconds, const std::function<bool()>& done = [] { return false; })
    {
        for (double played = 0.0; played < seconds && !done(); played += kDt) {
            session.pass(kDt);
            session.reached(session.target());
        }
    }
};

// The notices on screen, one a line.
std::string shownNotices(const PreviewSession& session)
{
    std::string text;
    for (const Notice& notice : session.notices())
        text += (notice.error ? "error: " : "") + notice.text + "\n";
    return text;
}

void copyGameFolder(const fs::path& to)
{
    fs::create_directories(to);
    fs::copy(fs::current_path() / "config.json", to / "config.json");
    fs::copy(fs::current_path() / "assets", to / "assets", fs::copy_options::recursive);
}

// <folder>/build/game, a copy of the staged game, built from <folder>/source, which holds
// art/door.py, music/demo_song.abc and src/scenes/DoorScene.cpp.
fs::path makeBuildFolder(const fs::path& folder)
{
    const fs::path build = folder / "build";
    const fs::path source = folder / "source";
    copyGameFolder(build / "game");
    for (const char* file : {"art/door.py", "music/demo_song.abc", "src/scenes/DoorScene.cpp"}) {
        fs::create_directories((source / file).parent_path());
        std::ofstream(source / file) << "first\n";
    }
    std::ofstream(build / "CMakeCache.txt") << "CMAKE_HOME_DIRECTORY:INTERNAL=" << source.string() << "\n";
    return build;
}
}

TEST(PreviewReload, AChangedGameFileReloadsAtTheFrameShown)
{
    for (bool paused : {true, false}) {
        TempDir folder;
        const fs::path game = fs::path(folder.path()) / "game";
        copyGameFolder(game);
        Recorded run(game, paused);
        run.session.loaded(true, 0, "");
        run.play(1.5);
        append(game / "assets/sprites.json", " ");
        run.play(2.0, [&] { return run.session.reloadDue(); });
        ASSERT_TRUE(run.session.reloadDue()) << (paused ? "paused" : "playing");
        EXPECT_TRUE(run.builds.empty());  // not a build's folder: nothing to build
        EXPECT_FALSE(run.relaunchedWith);
        const long shown = run.session.shown();
        run.session.loaded(true, 0, "");
        EXPECT_FALSE(run.session.reloadDue());
        EXPECT_EQ(run.session.shown(), shown);
        EXPECT_EQ(run.session.paused(), paused);
        EXPECT_EQ(shownNotices(run.session).rfind("reloaded at", 0), 0u) << shownNotices(run.session);
        // Its notice goes after a few seconds.
        run.play(PreviewSession::kNoticeFor + 0.5);
        EXPECT_FALSE(run.session.noticeShown());
    }
}

TEST(PreviewReload, ASourceChangeIsBuiltInTheBackgroundWhileTheFilmPlays)
{
    struct Case {
        std::string edited;  // under the source folder
        std::string target;  // the build target run for it
    };
    const std::vector<Case> cases = {
        {"art/door.py", "pictures"},
        {"music/demo_song.abc", "music"},
        {"src/scenes/DoorScene.cpp", "drennmoor-preview"},
    };
    for (const Case& c : cases) {
        TempDir folder;
        const fs::path build = makeBuildFolder(folder.path());
        Recorded run(build / "game", false);
        run.session.loaded(true, 0, "");
        run.play(0.6);
        append(fs::path(folder.path()) / "source" / c.edited, "changed\n");
        run.play(2.0, [&] { return !run.builds.empty(); });
        ASSERT_EQ(run.builds.size(), 1u) << c.edited;
        EXPECT_EQ(run.builds[0], (std::vector<std::string>{"cmake", "--build", build.string(), "--target", c.target}));
        // The film plays on while the build runs.
        const long before = run.session.target();
        run.play(1.0);
        EXPECT_GE(run.session.target(), before + 59) << c.edited;
        EXPECT_TRUE(run.session.building());

        // The errors standing go along.
        run.session.loaded(true, 3, "Sprite with key lamp does not exist.");
        run.session.buildEnded(true, "");
        const bool code = c.target == "drennmoor-preview";
        // New code is a new program: it takes over at the frame shown, playing as now, with
        // the session as it was.
        ASSERT_EQ(run.relaunchedWith.has_value(), code) << c.edited;
        EXPECT_EQ(run.session.reloadDue(), !code) << c.edited;
        if (code) {
            EXPECT_EQ(FilmFrames(60).frameAt(run.relaunchedWith->at), run.session.shown());
            EXPECT_FALSE(run.relaunchedWith->paused);
            EXPECT_EQ(run.relaunchedWith->errors,
                      std::vector<std::string>{"data=" + run.session.error(NoticeSource::Data)});
        }
    }
}

// Each source keeps its own error until it builds or loads again: a reload of the data does
// not take away a compile error, nor a built picture a failed song. A failed picture build
// that had staged the data reads it.
TEST(PreviewReload, AnErrorStandsUntilItsOwnSourceBuildsAgain)
{
    TempDir folder;
    const fs::path source = fs::path(folder.path()) / "source";
    const fs::path build = makeBuildFolder(folder.path());
    Recorded run(build / "game", false);
    run.session.loaded(true, 0, "");
    auto buildAfter = [&](const std::string& edited, bool succeeds, const std::string& failure) {
        run.builds.clear();
        append(source / edited, "changed\n");
        run.play(2.0, [&] { return !run.builds.empty(); });
        ASSERT_EQ(run.builds.size(), 1u) << edited;
        run.session.buildEnded(succeeds, failure);
    };
    // A failed build leaves the film as it was: nothing reloads or restarts.
    buildAfter("src/scenes/DoorScene.cpp", false, "expected ';' (src/scenes/DoorScene.cpp:3)");
    EXPECT_FALSE(run.session.reloadDue());
    EXPECT_FALSE(run.relaunchedWith);
    append(build / "game/assets/sprites.json", " ");
    run.play(2.0, [&] { return run.session.reloadDue(); });
    ASSERT_TRUE(run.session.reloadDue());
    // A reload whose film printed lines keeps saying so, with their count and the first.
    run.session.loaded(true, 23, "assets/sprites.json:4:2: syntax error");
    run.play(PreviewSession::kNoticeFor + 0.5);
    EXPECT_EQ(shownNotices(run.session), "error: build failed: expected ';' (src/scenes/DoorScene.cpp:3)\n"
                                         "error: 23 lines from the film, the first: assets/sprites.json:4:2: "
                                         "syntax error\n");

    // The picture check fails after the data was staged: the film reads the new data.
    run.builds.clear();
    append(source / "art/door.py", "changed\n");
    run.play(2.0, [&] { return !run.builds.empty(); });
    ASSERT_EQ(run.builds.size(), 1u);
    append(build / "game/assets/sprites.json", " ");
    run.play(1.0);
    run.session.buildEnded(false, "verify_pictures: door_1: its crop leaves out the visible pixel (3, 4)");
    EXPECT_TRUE(run.session.reloadDue());
    run.session.loaded(true, 0, "");
    EXPECT_NE(shownNotices(run.session).find("error: build failed: expected ';'"), std::string::npos);
    EXPECT_NE(shownNotices(run.session).find("error: build failed: verify_pictures: door_1"), std::string::npos);

    buildAfter("music/demo_song.abc", true, "");
    run.session.loaded(true, 0, "");
    run.play(PreviewSession::kNoticeFor + 0.5);
    EXPECT_EQ(shownNotices(run.session), "error: build failed: expected ';' (src/scenes/DoorScene.cpp:3)\n"
                                         "error: build failed: verify_pictures: door_1: its crop leaves out the "
                                         "visible pixel (3, 4)\n");
    buildAfter("art/door.py", true, "");
    run.session.loaded(true, 0, "");
    run.play(PreviewSession::kNoticeFor + 0.5);
    EXPECT_EQ(shownNotices(run.session), "error: build failed: expected ';' (src/scenes/DoorScene.cpp:3)\n");
}
