#pragma once

#include "BuildCommand.hpp"
#include "FilmFrames.hpp"
#include "FolderWatcher.hpp"
#include "PreviewOptions.hpp"

#include <functional>
#include <string>
#include <vector>

// Everything the preview decides, without a window: which frame the film should show (the
// keys, the timeline, real time passing while it plays), when its files changed and what to
// build then, and the restart that reloads it or goes back in time. The window's side runs
// the film's frames up to target() and reports them with reached(). Tests drive it with a
// fixed dt and their own restart and build actions.
class PreviewSession {
public:
    // Starts the preview's process again with these arguments (after the program's name).
    using Restart = std::function<void(const std::vector<std::string>& arguments)>;
    using Build = std::function<BuildResult(const std::vector<std::string>& command)>;

    static constexpr double kPollEvery = 0.5;     // seconds between looks at the watched files
    static constexpr int kMostFramesAtOnce = 6;   // a slower machine plays slower, not choppier
    static constexpr double kJump = 5.0;          // seconds, Left and Right
    static constexpr double kSceneGrace = 1.0;    // seconds into a scene where Page Up goes past it

    PreviewSession(const PreviewOptions& options, const std::string& gameFolder, Restart restart, Build build);

    const FilmFrames& frames() const { return m_frames; }
    long shown() const { return m_shown; }    // the frame on screen; -1 before the first
    long target() const { return m_target; }  // the frame the film should show now
    bool paused() const { return m_paused; }
    double time() const { return m_frames.timeOf(m_shown); }
    double targetTime() const { return m_frames.timeOf(m_target); }
    const std::string& notice() const { return m_notice; }

    // The keys and the timeline.
    void togglePause();
    void jump(double seconds);
    void stepFrames(int count);  // only while paused
    void previousScene();
    void nextScene();
    void seekTo(double time);
    void home();  // the lead-in's first frame

    // After Page Up or Page Down, the scene whose first frame the film should land on (a
    // scene hands over a few frames after its nominal start); kNoScene otherwise.
    static constexpr int kNoScene = -1000;
    int sceneGoal() const { return m_sceneGoal; }
    // The scene's first frame is `frame`: the film shows it, and the goal is reached.
    void landOn(long frame);

    // Real time passing: moves the target while playing, and looks at the watched files
    // every kPollEvery seconds. True when they changed: call reload() (after showing
    // reloadNotice()).
    bool pass(double seconds);
    // The film now shows `frame`.
    void reached(long frame);
    // The film ended on the frame shown: it stays there, paused.
    void ended();
    // True when the target lies before the frame shown: only a restart goes back.
    bool needsRestart() const { return m_target < m_shown; }
    // Restarts at the target, paused or playing as now.
    void restartAtTarget();

    // What the overlay says while the changed files are being built.
    std::string reloadNotice() const;
    // Builds what the changes need, then restarts at the frame shown, paused or playing as
    // now. When the build fails, the notice says why and the film plays on.
    void reload();

private:
    PreviewOptions m_options;
    FilmFrames m_frames;
    std::filesystem::path m_buildFolder;
    FolderWatcher m_watcher;
    std::vector<const WatchedGroup*> m_changed;
    Restart m_restart;
    Build m_build;
    long m_shown = -1;
    long m_target;
    bool m_paused;
    bool m_ended = false;
    int m_sceneGoal = kNoScene;
    double m_owed = 0.0;       // real seconds not yet played as whole frames
    double m_sincePoll = 0.0;  // seconds
    std::string m_notice;
};
