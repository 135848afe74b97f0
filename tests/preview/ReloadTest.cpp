#include "FilmFrames.hpp"
#include "PreviewOptions.hpp"
#include "PreviewSession.hpp"

#include "support/TestSupport.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <vector>

namespace fs = std::filesystem;

// The preview's reload: a changed file in the game folder (or in the sources of a build's
// game folder) builds what it must and restarts the preview at the frame it showed, paused
// or playing as it was. Driven frame by frame with a fixed dt; the build and the restart are
// recorded instead of run.

namespace {
constexpr double kDt = 1.0 / 60.0;

std::string readAll(const fs::path& path)
{
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Replaces the first `from` in the file with `to`.
void edit(const fs::path& path, const std::string& from, const std::string& to)
{
    std::string text = readAll(path);
    const std::size_t at = text.find(from);
    ASSERT_NE(at, std::string::npos) << from << " in " << path;
    text.replace(at, from.size(), to);
    std::ofstream(path, std::ios::trunc) << text;
}

struct Outcome {
    std::vector<std::vector<std::string>> builds;
    std::optional<PreviewOptions> restartedWith;
    long shownThen = -1;
    std::string notice;
};

// Plays `seconds` with the film keeping up (each frame reached at once), then edits the file
// and plays on for up to 2 s or until the preview restarts.
Outcome playEditAndWait(const fs::path& gameFolder, bool paused, const fs::path& edited, BuildResult buildResult)
{
    Outcome run;
    PreviewOptions options;
    options.at = 3.0;
    options.paused = paused;
    PreviewSession* current = nullptr;
    PreviewSession session(
        options, gameFolder.string(),
        [&](const std::vector<std::string>& arguments) {
            std::vector<std::string> words = {"drennmoor-preview"};
            words.insert(words.end(), arguments.begin(), arguments.end());
            std::vector<char*> argv;
            for (std::string& word : words)
                argv.push_back(word.data());
            PreviewOptions again;
            std::string error;
            if (again.parse(static_cast<int>(argv.size()), argv.data(), error))
                run.restartedWith = again;
            run.shownThen = current->shown();
        },
        [&](const std::vector<std::string>& command) {
            run.builds.push_back(command);
            return buildResult;
        });
    current = &session;
    int frames = 0;
    for (; frames < 90; ++frames) {
        session.pass(kDt);
        session.reached(session.target());
    }
    edit(edited, "\"texture\"", "\"texture\" ");
    for (; frames < 90 + 120 && !run.restartedWith; ++frames) {
        if (session.pass(kDt))
            session.reload();
        session.reached(session.target());
    }
    run.notice = session.notice();
    return run;
}

void copyGameFolder(const fs::path& to)
{
    fs::create_directories(to);
    fs::copy(fs::current_path() / "config.json", to / "config.json");
    fs::copy(fs::current_path() / "assets", to / "assets", fs::copy_options::recursive);
}
}

TEST(PreviewReload, AChangedGameFileRestartsAtTheFrameShownPausedOrPlaying)
{
    for (bool paused : {true, false}) {
        TempDir folder;
        const fs::path game = fs::path(folder.path()) / "game";
        copyGameFolder(game);
        const Outcome run = playEditAndWait(game, paused, game / "assets/sprites.json", {true, ""});
        ASSERT_TRUE(run.restartedWith) << (paused ? "paused" : "playing");
        EXPECT_TRUE(run.builds.empty());  // not a build's folder: nothing to build
        const PreviewOptions& again = *run.restartedWith;
        EXPECT_EQ(FilmFrames(again.fps).frameAt(again.at), run.shownThen);
        EXPECT_EQ(again.paused, paused);
        // Paused at 3 s it is still there; playing, a second and a half later at the least.
        const double expectedLeast = paused ? 3.0 : 4.5;
        EXPECT_GE(again.at, expectedLeast - 1e-9);
        EXPECT_LE(again.at, expectedLeast + (paused ? 1e-9 : 0.6));
        EXPECT_NE(again.notice.find("reloaded at"), std::string::npos) << again.notice;
    }
}

TEST(PreviewReload, InABuildFolderASourceChangeIsBuiltFirstAndAFailedBuildKeepsPlaying)
{
    struct Case {
        std::string edited;  // under the source folder
        std::string target;  // the build target run for it
        bool builds;         // what the recorded build answers
    };
    const std::vector<Case> cases = {
        {"assets/sprites.json", "pictures", true},
        {"art/door.py", "pictures", true},
        {"music/demo_song.abc", "music", true},
        {"assets/sprites.json", "pictures", false},
    };
    for (const Case& c : cases) {
        TempDir folder;
        const fs::path build = fs::path(folder.path()) / "build";
        const fs::path source = fs::path(folder.path()) / "source";
        copyGameFolder(build / "game");
        fs::create_directories((source / c.edited).parent_path());
        std::ofstream(source / c.edited) << "{\"texture\": 1}\n";
        std::ofstream(build / "CMakeCache.txt") << "CMAKE_HOME_DIRECTORY:INTERNAL=" << source.string() << "\n";

        const Outcome run = playEditAndWait(build / "game", false, source / c.edited,
                                        {c.builds, "error: the picture build broke"});
        const std::vector<std::string> command = {"cmake", "--build", build.string(), "--target", c.target};
        ASSERT_EQ(run.builds.size(), 1u) << c.edited;
        EXPECT_EQ(run.builds[0], command);
        EXPECT_EQ(run.restartedWith.has_value(), c.builds) << c.edited;
        if (!c.builds) {
            EXPECT_EQ(run.notice, "reload failed: error: the picture build broke");
        }
    }
}
