#include "PreviewSession.hpp"

#include "FilmScenes.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
std::string secondsText(double time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", time);
    return text;
}
}

PreviewSession::PreviewSession(const PreviewOptions& options, const std::string& gameFolder, Restart restart,
                               Build build)
    : m_options(options)
    , m_frames(options.fps)
    , m_buildFolder(buildFolderOf(gameFolder))
    , m_watcher(watchedGroups(gameFolder))
    , m_restart(std::move(restart))
    , m_build(std::move(build))
    , m_target(m_frames.frameAt(options.at))
    , m_paused(options.paused)
    , m_notice(options.notice)
{
    if (options.sceneStart)
        m_sceneGoal = sceneAt(options.at);
}

void PreviewSession::togglePause()
{
    m_paused = !m_paused;
    m_owed = 0.0;
}

void PreviewSession::jump(double seconds)
{
    seekTo(m_frames.timeOf(m_target) + seconds);
}

void PreviewSession::stepFrames(int count)
{
    m_sceneGoal = kNoScene;
    if (m_paused && !(m_ended && count > 0))
        m_target = std::max(0L, m_target + count);
}

void PreviewSession::previousScene()
{
    seekTo(previousSceneStart(m_frames.timeOf(m_target), kSceneGrace));
    m_sceneGoal = sceneAt(m_frames.timeOf(m_target));
}

void PreviewSession::nextScene()
{
    seekTo(nextSceneStart(m_frames.timeOf(m_target)));
    m_sceneGoal = sceneAt(m_frames.timeOf(m_target));
}

void PreviewSession::seekTo(double time)
{
    m_sceneGoal = kNoScene;
    const long frame = m_frames.frameAt(time);
    // Past the end there is nothing to show: the film stays on its last frame.
    if (!(m_ended && frame > m_shown))
        m_target = frame;
}

void PreviewSession::home()
{
    m_sceneGoal = kNoScene;
    m_target = 0;
}

void PreviewSession::landOn(long frame)
{
    m_sceneGoal = kNoScene;
    m_target = frame;
}

bool PreviewSession::pass(double seconds)
{
    if (!m_paused && !m_ended) {
        m_owed += seconds;
        const long due = static_cast<long>(std::floor(m_owed * m_frames.fps()));
        m_owed = due > kMostFramesAtOnce ? 0.0 : m_owed - static_cast<double>(due) / m_frames.fps();
        m_target += std::min<long>(due, kMostFramesAtOnce);
    }
    m_sincePoll += seconds;
    if (m_sincePoll < kPollEvery)
        return false;
    m_sincePoll = 0.0;
    for (const WatchedGroup* group : m_watcher.poll())
        if (std::find(m_changed.begin(), m_changed.end(), group) == m_changed.end())
            m_changed.push_back(group);
    return !m_changed.empty();
}

void PreviewSession::reached(long frame)
{
    m_shown = frame;
}

void PreviewSession::ended()
{
    m_ended = true;
    m_paused = true;
    m_target = m_shown;
}

void PreviewSession::restartAtTarget()
{
    m_restart(m_options.restartArguments(m_frames.timeOf(m_target), m_paused, "", m_sceneGoal != kNoScene));
}

std::string PreviewSession::reloadNotice() const
{
    std::string names;
    for (const WatchedGroup* group : m_changed)
        names += (names.empty() ? "" : ", ") + group->name;
    return names + " changed: reloading";
}

void PreviewSession::reload()
{
    std::vector<std::string> targets;
    for (const WatchedGroup* group : m_changed)
        if (!group->buildTarget.empty() && !m_buildFolder.empty() &&
            std::find(targets.begin(), targets.end(), group->buildTarget) == targets.end())
            targets.push_back(group->buildTarget);
    m_changed.clear();
    if (!targets.empty()) {
        std::vector<std::string> command = {"cmake", "--build", m_buildFolder.string(), "--target"};
        command.insert(command.end(), targets.begin(), targets.end());
        const BuildResult built = m_build(command);
        // What the build itself staged is part of this reload, not the next one.
        m_watcher.poll();
        if (!built.succeeded) {
            m_notice = "reload failed: " + built.reason;
            return;
        }
    }
    const long frame = std::max(m_shown, 0L);
    m_restart(m_options.restartArguments(m_frames.timeOf(frame), m_paused,
                                         "reloaded at " + secondsText(m_frames.timeOf(frame))));
}
