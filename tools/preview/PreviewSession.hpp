#pragma once

#include "FilmFrames.hpp"
#include "FolderWatcher.hpp"
#include "PreviewOptions.hpp"

#include <functional>
#include <string>
#include <vector>

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
    static constexpr double kHome = -2.5;         // seconds: where a fresh start shows

    PreviewSession(const PreviewOptions& options, const std::string& gameFolder, Relaunch relaunch,
                   StartBuild startBuild);

    const FilmFrames& frames() const { return m_frames; }
    long shown() const { return m_shown; }    // the frame on screen; -1 before the first
    long target() const { return m_target; }  // the frame the film should show now
    bool paused() const { return m_paused; }
    bool ended() const { return m_ended; }
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

    // Playback speed, one of 0.25, 0.5, 1 and 2.
    double speed() const { return m_speed; }
    void slower();
    void faster();

    // The loop: I and O mark its ends at the frame shown, L switches it on and off (only
    // with both marks, in order). While on, playing past the out mark goes back to the in mark.
    void markIn();
    void markOut();
    void toggleLoop();
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
    // The film ended on the frame shown: it stays there, paused.
    void ended(long lastFrame);
    // True when the target lies before the frame shown: the film must start again.
    bool needsRestart() const { return m_target < m_shown; }
    // The film is back at its start (nothing shown yet).
    void restarted();

    // Builds.
    bool building() const { return m_building; }
    // What the build is for ("art"), for the overlay.
    const std::string& buildingWhat() const { return m_buildingWhat; }
    // The build ended: after a success the preview reloads (or, rebuilt itself, relaunches at
    // the frame shown); after a failure the film plays on and the notice keeps `failure`.
    void buildEnded(bool succeeded, const std::string& failure);

    // True once the film's data must be read again; the window's side reloads, then calls
    // loaded().
    bool reloadDue() const { return m_reloadDue; }
    // The film's data was read: `ready` false when the film cannot play at all; `lines` the
    // number of diagnostic lines the film printed and `first` the first of them.
    void loaded(bool ready, int lines, const std::string& first);

    // The notice line, whether it is an error (shown until a later reload succeeds), and
    // whether it is on screen now.
    const std::string& notice() const { return m_notice; }
    bool noticeIsError() const { return m_noticeIsError; }
    bool noticeShown() const { return !m_notice.empty() && (m_noticeIsError || m_noticeAge < kNoticeFor); }
    void setNotice(const std::string& notice, bool error);

private:
    void lookAtFiles();
    void startWork();

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
    bool m_ended = false;
    int m_sceneGoal = kNoScene;
    double m_speed = 1.0;
    long m_loopIn = -1;
    long m_loopOut = -1;
    bool m_looping = false;
    double m_owed = 0.0;       // real seconds not yet played as whole frames
    double m_sincePoll = 0.0;  // seconds
    bool m_building = false;
    bool m_buildsSelf = false;  // the running build makes the preview's program
    std::string m_buildingWhat;
    bool m_reloadDue = false;
    bool m_firstLoad = true;
    std::string m_notice;
    bool m_noticeIsError = false;
    double m_noticeAge = 0.0;  // seconds
};
