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
// and the moves that stop at the film's ends.

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
// (-2.517 s), not to the frame that Home and a fresh start show (-2.5 s). Past the end,
// every move lands on the film's last frame, which then stays, paused.
TEST(PreviewTime, NoTimeOrMoveLeavesTheFilm)
{
    std::vector<std::string> words = {"drennmoor-preview", "--at", "1e300"};
    std::vector<char*> argv = {words[0].data(), words[1].data(), words[2].data()};
    PreviewOptions options;
    std::string error;
    EXPECT_FALSE(options.parse(3, argv.data(), error));
    EXPECT_EQ(error.rfind("--at: 1e300 s is after the film's end", 0), 0u) << error;
    const FilmFrames frames(60);
    EXPECT_GT(frames.frameAt(1e300), frames.frameAt(200.0));
    EXPECT_EQ(frames.frameAt(std::numeric_limits<double>::quiet_NaN()), frames.firstFrame());

    PreviewSession session = quietSession(PreviewOptions());
    const long freshStart = session.target();
    session.reached(freshStart);
    // The end is the frame at the film's end time even where the quit comes a few frames later,
    // so that the end's frame is one the film renderer draws for its time.
    session.filmEndsAt(12200);
    EXPECT_EQ(session.lastFrame(), session.frames().frameAt(200.0));
    const long last = 12100;
    session.filmEndsAt(last);
    session.togglePause();
    using Move = void (*)(PreviewSession&, int);  // forward (1) or back (-1)
    for (Move move : {+[](PreviewSession& s, int way) { s.seekTo(way * 999.0); },
                      +[](PreviewSession& s, int way) { s.jump(way * 50.0); },
                      +[](PreviewSession& s, int way) { way > 0 ? s.nextScene() : s.previousScene(); },
                      +[](PreviewSession& s, int way) { s.stepFrames(way); }}) {
        for (int way : {-1, 1}) {
            const long edge = way > 0 ? last : freshStart;
            session.seekTo(session.frames().timeOf(edge - 3 * way));
            session.reached(session.target());
            for (int press = 0; press < 3; ++press)
                move(session, way);
            EXPECT_EQ(session.target(), edge);
            session.reached(session.target());
            EXPECT_EQ(session.ended(), way > 0);
        }
        EXPECT_EQ(session.sceneGoal(), PreviewSession::kNoScene);  // no scene to look for past it
        EXPECT_TRUE(session.paused());
        move(session, 1);
        EXPECT_EQ(session.target(), last);
    }
    // Space at the end plays again from the start; playing into the end stops there.
    session.togglePause();
    EXPECT_FALSE(session.paused());
    EXPECT_EQ(session.target(), freshStart);
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
    // Marks out of order loop nothing, and say why.
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
}
