#include "PreviewSession.hpp"

#include "FilmScenes.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
const double kSpeeds[] = {0.25, 0.5, 1.0, 2.0};
const char* const kSelfTarget = "drennmoor-preview";

std::string secondsText(double time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", time);
    return text;
}
}

PreviewSession::PreviewSession(const PreviewOptions& options, const std::string& gameFolder, Relaunch relaunch,
                               StartBuild startBuild)
    : m_options(options)
    , m_frames(options.fps)
    , m_buildFolder(buildFolderOf(gameFolder))
    , m_watcher(watchedGroups(gameFolder))
    , m_relaunch(std::move(relaunch))
    , m_startBuild(std::move(startBuild))
    , m_target(m_frames.frameAt(options.at))
    , m_paused(options.paused)
    , m_notice(options.notice)
{
    if (options.sceneStart)
        m_sceneGoal = sceneAt(options.at);
}

void PreviewSession::togglePause()
{
    m_owed = 0.0;
    if (m_ended) {
        m_ended = false;
        m_paused = false;
        home();
        return;
    }
    m_paused = !m_paused;
}

void PreviewSession::jump(double seconds)
{
    seekTo(m_frames.timeOf(m_target) + seconds);
}

void PreviewSession::stepFrames(int count)
{
    m_sceneGoal = kNoScene;
    if (m_paused && !(m_ended && count > 0))
        m_target = std::max(m_frames.firstFrame(), m_target + count);
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
    if (m_ended && frame > m_shown)
        return;
    m_target = frame;
    if (frame < m_shown)
        m_ended = false;
}

void PreviewSession::home()
{
    seekTo(kHome);
}

void PreviewSession::slower()
{
    for (auto speed = std::rbegin(kSpeeds); speed != std::rend(kSpeeds); ++speed)
        if (*speed < m_speed) {
            m_speed = *speed;
            return;
        }
}

void PreviewSession::faster()
{
    for (double speed : kSpeeds)
        if (speed > m_speed) {
            m_speed = speed;
            return;
        }
}

void PreviewSession::markIn()
{
    m_loopIn = std::max(m_shown, 0L);
    m_looping = m_looping && m_loopIn < m_loopOut;
}

void PreviewSession::markOut()
{
    m_loopOut = std::max(m_shown, 0L);
    m_looping = m_looping && m_loopIn < m_loopOut;
}

void PreviewSession::toggleLoop()
{
    m_looping = !m_looping && m_loopIn >= 0 && m_loopIn < m_loopOut;
}

void PreviewSession::landOn(long frame)
{
    m_sceneGoal = kNoScene;
    m_target = frame;
}

void PreviewSession::pass(double seconds)
{
    m_noticeAge += seconds;
    if (!m_paused && !m_ended) {
        m_owed += seconds * m_speed;
        const long due = static_cast<long>(std::floor(m_owed * m_frames.fps()));
        m_owed = due > kMostFramesAtOnce ? 0.0 : m_owed - static_cast<double>(due) / m_frames.fps();
        m_target += std::min<long>(due, kMostFramesAtOnce);
        if (m_looping && m_target > m_loopOut)
            m_target = m_loopIn;
    }
    m_sincePoll += seconds;
    if (m_sincePoll < kPollEvery)
        return;
    m_sincePoll = 0.0;
    lookAtFiles();
    if (!m_building && !m_reloadDue && !m_changed.empty())
        startWork();
}

void PreviewSession::lookAtFiles()
{
    for (const WatchedGroup* group : m_watcher.poll()) {
        // While building, the game folder changes by the build's own hand.
        if (m_building && group->buildTarget.empty())
            continue;
        if (std::find(m_changed.begin(), m_changed.end(), group) == m_changed.end())
            m_changed.push_back(group);
    }
}

void PreviewSession::startWork()
{
    std::vector<std::string> targets;
    std::string names;
    for (const WatchedGroup* group : m_changed) {
        names += (names.empty() ? "" : ", ") + group->name;
        if (!group->buildTarget.empty() && !m_buildFolder.empty() &&
            std::find(targets.begin(), targets.end(), group->buildTarget) == targets.end())
            targets.push_back(group->buildTarget);
    }
    m_changed.clear();
    if (targets.empty()) {
        m_reloadDue = true;
        return;
    }
    m_building = true;
    m_buildsSelf = std::find(targets.begin(), targets.end(), kSelfTarget) != targets.end();
    m_buildingWhat = names;
    std::vector<std::string> command = {m_options.buildProgram, "--build", m_buildFolder.string(), "--target"};
    command.insert(command.end(), targets.begin(), targets.end());
    m_startBuild(command);
}

void PreviewSession::buildEnded(bool succeeded, const std::string& failure)
{
    m_building = false;
    // What the build staged is part of this reload; sources edited meanwhile wait for the next.
    lookAtFiles();
    if (!succeeded) {
        setNotice("build failed: " + failure, true);
        return;
    }
    if (m_buildsSelf) {
        const long frame = std::max(m_shown, 0L);
        m_relaunch(m_options.restartArguments(m_frames.timeOf(frame), m_paused,
                                              "rebuilt at " + secondsText(m_frames.timeOf(frame))));
        return;
    }
    m_reloadDue = true;
}

void PreviewSession::loaded(bool ready, int lines, const std::string& first)
{
    const bool reload = !m_firstLoad;
    m_firstLoad = false;
    m_reloadDue = false;
    const std::string what = reload ? "reloaded at " + secondsText(m_frames.timeOf(std::max(m_shown, 0L)))
                                    : m_notice;
    if (!ready)
        setNotice("the film cannot start: " + first, true);
    else if (lines > 0)
        setNotice((what.empty() ? "" : what + ": ") + std::to_string(lines) + (lines == 1 ? " line" : " lines") +
                      " from the film, the first: " + first,
                  true);
    else if (!what.empty())
        setNotice(what, false);
    else
        setNotice("", false);
}

void PreviewSession::reached(long frame)
{
    m_shown = frame;
}

void PreviewSession::ended(long lastFrame)
{
    m_shown = lastFrame;
    m_ended = true;
    m_paused = true;
    m_target = m_shown;
}

void PreviewSession::restarted()
{
    m_shown = -1;
}

void PreviewSession::setNotice(const std::string& notice, bool error)
{
    m_notice = notice;
    m_noticeIsError = error;
    m_noticeAge = 0.0;
}
