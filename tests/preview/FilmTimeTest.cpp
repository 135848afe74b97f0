#include "FilmFrames.hpp"
#include "SongSync.hpp"
#include "FilmScenes.hpp"
#include "PreviewOptions.hpp"
#include "PreviewSession.hpp"

#include "core/Game.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

// The preview's arithmetic of time: frames, scene starts, the song across its loop point,
// and the time a restart carries over.

TEST(PreviewTime, SongOffsetFollowsTheFilmAcrossTheLoopPoint)
{
    // The song is 200 s long and loops from 16 s to its end.
    struct Case { double time, offset; };
    const std::vector<Case> cases = {
        {-2.0, 0.0}, {0.0, 0.0}, {50.25, 50.25}, {199.5, 199.5},
        {200.0, 16.0}, {210.0, 26.0}, {383.5, 199.5}, {384.0, 16.0}, {390.0, 22.0},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(songOffset(c.time, 200.0, 16.0), c.offset, 1e-9) << "at " << c.time;
}

TEST(PreviewTime, SceneKeysGoToTheNeighbouringScenesStarts)
{
    struct Case { double time, previous, next; };
    const std::vector<Case> cases = {
        {-2.5, -2.5, 0.0}, {-1.0, -2.5, 0.0}, {70.0, 64.0, 112.0},
        {64.5, 48.0, 112.0},  // just after a start, Page Up goes to the one before
        {112.0, 64.0, 128.0}, {199.0, 180.0, 200.0}, {205.0, 200.0, 205.0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(previousSceneStart(c.time, 1.0), c.previous) << "at " << c.time;
        EXPECT_DOUBLE_EQ(nextSceneStart(c.time), c.next) << "at " << c.time;
    }
}

TEST(PreviewTime, ARestartComesBackToTheSameFrame)
{
    for (int fps : {60, 24, 7}) {
        const FilmFrames frames(fps);
        PreviewOptions options;
        options.fps = fps;
        for (long frame :
             {frames.firstFrame(), frames.firstFrame() + 1, 150L, frames.frameAt(123.4), frames.frameAt(200.0)}) {
            std::vector<std::string> words = {"drennmoor-preview"};
            for (const std::string& word : options.restartArguments(frames.timeOf(frame), true, "reloaded"))
                words.push_back(word);
            std::vector<char*> argv;
            for (std::string& word : words)
                argv.push_back(word.data());
            PreviewOptions again;
            std::string error;
            ASSERT_TRUE(again.parse(static_cast<int>(argv.size()), argv.data(), error)) << error;
            EXPECT_EQ(FilmFrames(again.fps).frameAt(again.at), frame) << fps << " fps";
            EXPECT_TRUE(again.paused);
            EXPECT_EQ(again.notice, "reloaded");
        }
    }
}

// The whole film, undrawn: each scene hands over in the timeline's order, at most a moment
// after its start there, and the opening on the frame the preview counts time from.
TEST(PreviewTime, TimelineMatchesTheScenesHandOversInAWholeRun)
{
    const FilmFrames frames(60);
    Game& loop = game();
    ASSERT_TRUE(loop.loadContent());
    struct HandOver { int id; long frame; };
    std::vector<HandOver> seen = {{loop.sceneId, 0}};
    for (long frame = 1; loop.sceneId != Game::kQuit && frame < 300 * frames.fps(); ++frame) {
        loop.advance(frames.dt());
        if (loop.sceneId != seen.back().id)
            seen.push_back({loop.sceneId, frame});
    }
    ASSERT_EQ(seen.size(), film::kOrder.size());
    EXPECT_EQ(seen[1].frame, frames.leadInFrames());
    for (std::size_t i = 1; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i].id, film::kOrder[i].id);
        const double start = frames.timeOf(seen[i].frame);
        EXPECT_GE(start, film::kOrder[i].start - 1e-6) << "scene " << seen[i].id;
        EXPECT_LE(start, film::kOrder[i].start + 0.5) << "scene " << seen[i].id;
    }
}

namespace {
// A session on an empty folder (nothing to watch), with no relaunch or build.
PreviewSession quietSession(const PreviewOptions& options)
{
    return PreviewSession(options, "/nonexistent", [](const std::vector<std::string>&) {},
                          [](const std::vector<std::string>&) {});
}

void playFor(PreviewSession& session, double seconds)
{
    for (int frame = 0; frame < static_cast<int>(seconds * 60.0 + 0.5); ++frame) {
        session.pass(1.0 / 60.0);
        session.reached(session.target());
    }
}
}

// frameAt rounded with std::lround, which overflows: 200 nines, 9223372036854775807 or 1e300
// landed on the lead-in's first frame; and -5, or Left from the start, went to frame 0
// (-2.517 s), not to the frame that Home and a fresh start show (-2.5 s).
TEST(PreviewTime, TimesOutsideTheFilmAreRefusedAndNoMoveGoesBeforeTheStart)
{
    for (const char* refused : {"nan", "inf", "-inf", "1e300", "9223372036854775807", "-5", "200.5", "12.5.3"}) {
        std::vector<std::string> words = {"drennmoor-preview", "--at", refused};
        std::vector<char*> argv = {words[0].data(), words[1].data(), words[2].data()};
        PreviewOptions options;
        std::string error;
        EXPECT_FALSE(options.parse(3, argv.data(), error)) << refused;
        EXPECT_EQ(error.rfind(std::string("--at: ") + refused + " ", 0), 0u) << error;
    }

    const FilmFrames frames(60);
    EXPECT_GT(frames.frameAt(1e300), frames.frameAt(200.0));
    EXPECT_EQ(frames.frameAt(std::numeric_limits<double>::quiet_NaN()), frames.firstFrame());
    PreviewSession session = quietSession(PreviewOptions());
    const long freshStart = session.target();
    session.reached(freshStart);
    session.jump(-5.0);
    EXPECT_EQ(session.target(), freshStart);
    session.togglePause();
    session.stepFrames(-1);
    EXPECT_EQ(session.target(), freshStart);
    session.seekTo(-100.0);
    EXPECT_EQ(session.target(), freshStart);
}

TEST(PreviewTime, HomeAndTheEndComeBackToAFreshStartsFrame)
{
    PreviewSession session = quietSession(PreviewOptions());
    const long freshStart = session.target();
    EXPECT_EQ(freshStart, 1);  // the lead-in's frame at -2.5 s, as the film renderer counts
    session.reached(freshStart);
    session.seekTo(100.0);
    session.reached(session.target());
    session.home();
    EXPECT_EQ(session.target(), freshStart);
    EXPECT_TRUE(session.needsRestart());

    // The end is the frame at the film's end time even where the quit comes a few frames later,
    // so that the end's frame is one the film renderer draws for its time.
    session.filmEndsAt(12200);
    EXPECT_EQ(session.lastFrame(), session.frames().frameAt(200.0));
    // Every move past the end lands on the film's last frame, which then stays, paused;
    // Space plays again from the start.
    const long last = 12100;
    session.filmEndsAt(last);
    session.togglePause();
    for (auto move : {+[](PreviewSession& s) { s.seekTo(999.0); }, +[](PreviewSession& s) { s.jump(50.0); },
                      +[](PreviewSession& s) { s.nextScene(); }, +[](PreviewSession& s) { s.stepFrames(1); }}) {
        session.seekTo(session.frames().timeOf(last - 3));
        session.reached(session.target());
        EXPECT_FALSE(session.ended());
        for (int press = 0; press < 3; ++press)
            move(session);
        EXPECT_EQ(session.target(), last);
        EXPECT_EQ(session.sceneGoal(), PreviewSession::kNoScene);  // no scene to look for past it
        session.reached(session.target());
        EXPECT_TRUE(session.ended());
        EXPECT_TRUE(session.paused());
        move(session);
        EXPECT_EQ(session.target(), last);
    }
    session.togglePause();
    EXPECT_FALSE(session.paused());
    EXPECT_EQ(session.target(), freshStart);
    // Playing into the end stops there.
    session.reached(session.target());
    session.seekTo(198.0);
    session.reached(session.target());
    playFor(session, 100.0);
    EXPECT_EQ(session.shown(), last);
    EXPECT_TRUE(session.paused());
}

TEST(PreviewTime, SpeedAndLoopMoveThePlayingFilm)
{
    PreviewOptions options;
    options.at = 10.0;
    PreviewSession session = quietSession(options);
    session.reached(session.target());
    const long start = session.target();
    session.slower();
    EXPECT_EQ(session.speed(), 0.5);
    playFor(session, 2.0);
    EXPECT_NEAR(session.target() - start, 60, 1);
    for (int press = 0; press < 5; ++press)
        session.faster();
    EXPECT_EQ(session.speed(), 2.0);

    // Marked from 11 s to 12 s and switched on, the film goes round between them.
    session.seekTo(11.0);
    session.reached(session.target());
    session.markIn();
    session.seekTo(12.0);
    session.reached(session.target());
    session.markOut();
    session.toggleLoop();
    ASSERT_TRUE(session.looping());
    for (int frame = 0; frame < 200; ++frame) {
        session.pass(1.0 / 60.0);
        EXPECT_GE(session.target(), session.loopIn());
        EXPECT_LE(session.target(), session.loopOut());
        session.reached(session.target());
    }
    // Marks out of order loop nothing, and say why; X clears them.
    session.toggleLoop();
    session.markIn();
    session.seekTo(5.0);
    session.reached(session.target());
    session.markOut();
    session.toggleLoop();
    EXPECT_FALSE(session.looping());
    ASSERT_FALSE(session.notices().empty());
    EXPECT_EQ(session.notices().back().text.rfind("no loop: the out mark (5.00 s) is not after the in mark (1", 0), 0u)
        << session.notices().back().text;
    session.clearMarks();
    EXPECT_EQ(session.loopIn(), -1);
    EXPECT_EQ(session.loopOut(), -1);
}
