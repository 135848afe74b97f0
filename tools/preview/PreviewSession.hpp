#pragma once

#include "FilmFrames.hpp"
#include "FolderWatcher.hpp"
#include "PreviewOptions.hpp"

#include "core/FilmOrder.hpp"

#include <array>
#include <climits>
#include <functional>
#include <string>
#include <vector>

// Where a standing error comes from: each keeps its own until that source builds or loads
// again.
enum class NoticeSource { Code, Pictures, Song, Data };
inline constexpr std::array<const char*, 4> kNoticeSourceNames = {"code", "pictures", "song", "data"};

// A line under the status: a standing error or the latest message.
struct Notice {
    std::string text;
    bool error = false;
    bool operator==(const Notice& other) const { return text == other.text && error == other.error; }
};

// Everything the preview decides, without a window: which frame the film should show (the
// keys, the timeline, real time passing at the chosen speed, a loop), when its files changed,
// what to build then and what to do after, and the notice. The window's side runs the film's
// frames up to target() (from the film's start again when needsRestart()), reports them with
// reached(), runs the builds it is asked for and reports their end. Tests drive it with a
// fixed dt and their own effects.
class PreviewSession {
public:
    // Starts the preview's program again with these arguments (after the program's name):
    // only after the preview itself was rebuilt.
    using Relaunch = std::function<void(const std::vector<std::string>& arguments)>;
    // Starts a build in the background (a program and its arguments).
    using StartBuild = std::function<void(const std::vector<std::string>& command)>;

    static constexpr double kPollEvery = 0.5;     // seconds between looks at the watched files
    static constexpr int kMostFramesAtOnce = 6;   // a slower machine plays slower, not choppier
    static constexpr double kJump = 5.0;          // seconds, Left and Right
    static constexpr double kShortJump = 1.0;     // seconds, with Shift
    static constexpr double kSceneGrace = 1.0;    // seconds into a scene where Page Up goes past it
    static constexpr double kNoticeFor = 8.0;     // seconds a notice that is no error stays
    static constexpr double kHome = film::kStart;  // seconds: where a fresh start shows

    PreviewSession(const PreviewOptions& options, const std::string& gameFolder, Relaunch relaunch,
                   StartBuild startBuild);

    const FilmFrames& frames() const { return m_frames; }
    long shown() const { return m_shown; }    // the frame on screen; -1 before the first
    long target() const { return m_target; }  // the frame the film should show now
    bool paused() const { return m_paused; }
    // On the film's last frame, paused; nothing plays or steps past it.
    bool ended() const { return m_shown >= m_lastFrame; }
    // The film's last frame: the last its scenes draw, or the one at the film's end time if
    // that comes first; known once the film was loaded. Every move stops there.
    long lastFrame() const { return m_lastFrame; }
    void filmEndsAt(long frame);
    double time() const { return m_frames.timeOf(m_shown); }
    double targetTime() const { return m_frames.timeOf(m_target); }

    // The keys and the timeline.
    void togglePause();  // at the end: plays again from the start
    void jump(double seconds);
    void stepFrames(int count);  // only while paused
    void previousScene();
    void nextScene();
    void seekTo(double time);
    void home();  // a fresh start's frame

    // The song muted (M); kept across a restart like the speed and the loop.
    bool muted() const { return m_muted; }
    void toggleMute();
    // Playback speed, one of 0.25, 0.5, 1 and 2.
    double speed() const { return m_speed; }
    void slower();
    void faster();

    // The loop: I and O mark its ends at the frame shown, L switches it on and off (only
    // with both marks, in order; otherwise a notice says what is missing). While on, playing
    // past the out mark goes back to the in mark. X clears both marks.
    void markIn();
    void markOut();
    void toggleLoop();
    void clearMarks();
    long loopIn() const { return m_loopIn; }    // -1 when not marked
    long loopOut() const { return m_loopOut; }
    bool looping() const { return m_looping; }

    // After Page Up or Page Down, the scene whose first frame the film should land on (a
    // scene hands over a few frames after its nominal start); kNoScene otherwise.
    static constexpr int kNoScene = -1000;
    int sceneGoal() const { return m_sceneGoal; }
    // The scene's first frame is `frame`: the film shows it, and the goal is reached.
    void landOn(long frame);

    // Real time passing: moves the target while playing, ages the notice, and looks at the
    // watched files every kPollEvery seconds; a change starts the build it needs, or asks
    // for a reload (reloadDue) when nothing is to be built.
    void pass(double seconds);
    // The film now shows `frame`.
    void reached(long frame);
    // The film showed its last frame (or, when it ended sooner than it said, ran past it):
    // it stays there, paused.
    void stopAtEnd(long lastFrame);
    // True when the target lies before the frame shown: the film must start again.
    bool needsRestart() const { return m_target < m_shown; }
    // The film is back at its start (nothing shown yet).
    void restarted();

    // Builds.
    bool building() const { return m_building; }
    // What the build is for ("art"), for the overlay.
    const std::string& buildingWhat() const { return m_buildingWhat; }
    // The build ended: after a success the preview reloads (or, rebuilt itself, relaunches at
    // its target frame); after a failure the film plays on and the notice keeps `failure`.
    void buildEnded(bool succeeded, const std::string& failure);

    // True once the film's data must be read again; the window's side reloads, then calls
    // loaded().
    bool reloadDue() const { return m_reloadDue; }
    // The film's data was read: `ready` false when the film cannot play at all; `lines` the
    // number of diagnostic lines the film printed and `first` the first of them.
    void loaded(bool ready, int lines, const std::string& first);

    // The lines under the status: each source's standing error (a failed build of it, or
    // what the film printed as its data loaded), kept until that source builds or loads
    // again, then the latest message for kNoticeFor seconds.
    std::vector<Notice> notices() const;
    bool noticeShown() const { return !notices().empty(); }
    // The latest message (a saved frame, a reload); `error` shows it in red.
    void setNotice(const std::string& notice, bool error);
    const std::string& error(NoticeSource source) const { return m_errors[static_cast<int>(source)]; }

    // The arguments that start a preview showing this session at its target frame, with
    // `notice` (for a restart, and for --resume).
    std::vector<std::string> stateArguments(const std::string& notice) const;
    const std::string& sessionFile() const { return m_options.sessionFile; }

private:
    void lookAtFiles();
    void startWork();
    void clampToTheEnd();

    PreviewOptions m_options;
    FilmFrames m_frames;
    std::filesystem::path m_buildFolder;
    FolderWatcher m_watcher;
    std::vector<const WatchedGroup*> m_changed;  // not yet built or reloaded
    Relaunch m_relaunch;
    StartBuild m_startBuild;
    long m_shown = -1;
    long m_target;
    bool m_paused;
    long m_lastFrame = LONG_MAX;
    bool m_muted = false;
    int m_sceneGoal = kNoScene;
    double m_speed = 1.0;
    long m_loopIn = -1;
    long m_loopOut = -1;
    bool m_looping = false;
    double m_owed = 0.0;       // real seconds not yet played as whole frames
    double m_sincePoll = 0.0;  // seconds
    bool m_building = false;
    bool m_buildsSelf = false;  // the running build makes the preview's program
    std::vector<NoticeSource> m_buildSources;  // what the running build builds
    bool m_stagedWhileBuilding = false;  // the game folder changed under the running build
    std::string m_buildingWhat;
    bool m_reloadDue = false;
    bool m_firstLoad = true;
    std::array<std::string, kNoticeSourceNames.size()> m_errors;
    std::string m_notice;
    bool m_noticeIsError = false;
    double m_noticeAge = 0.0;  // seconds
};
