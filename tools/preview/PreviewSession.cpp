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

// The source a build target makes: the song's and the preview's own, or the pictures (which
// also stage the data).
NoticeSource sourceBuiltBy(const std::string& target)
{
    if (target == kSelfTarget)
        return NoticeSource::Code;
    return target == "music" ? NoticeSource::Song : NoticeSource::Pictures;
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
    , m_muted(options.muted)
    , m_looping(options.looping)
    , m_notice(options.notice)
{
    if (std::find(std::begin(kSpeeds), std::end(kSpeeds), options.speed) != std::end(kSpeeds))
        m_speed = options.speed;
    m_loopIn = options.loopIn ? m_frames.frameAt(*options.loopIn) : -1;
    m_loopOut = options.loopOut ? m_frames.frameAt(*options.loopOut) : -1;
    m_looping = m_looping && m_loopIn >= 0 && m_loopIn < m_loopOut;
    for (const std::string& error : options.errors) {
        const std::string name = error.substr(0, error.find('='));
        for (std::size_t source = 0; source < kNoticeSourceNames.size(); ++source)
            if (name == kNoticeSourceNames[source])
                m_errors[source] = error.substr(error.find('=') + 1);
    }
}

void PreviewSession::filmEndsAt(long frame)
{
    // The end is the last frame a time of the film names, so that the frame shown there is
    // the one the film renderer draws for that time; the quit's few frames after it are black.
    m_lastFrame = std::clamp(frame, 0L, m_frames.frameAt(FilmFrames::kEnd));
    clampToTheEnd();
}

void PreviewSession::clampToTheEnd()
{
    if (m_target >= m_lastFrame) {
        m_target = m_lastFrame;
        m_sceneGoal = kNoScene;
    }
}

void PreviewSession::togglePause()
{
    m_owed = 0.0;
    if (ended()) {
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
    if (m_paused)
        m_target = std::max(m_frames.firstFrame(), m_target + count);
    clampToTheEnd();
}

void PreviewSession::previousScene()
{
    seekTo(previousSceneStart(m_frames.timeOf(m_target), kSceneGrace));
    m_sceneGoal = sceneAt(m_frames.timeOf(m_target));
}

void PreviewSession::nextScene()
{
    seekTo(nextSceneStart(m_frames.timeOf(m_target)));
    // After the credits comes the end: their last frame.
    if (sceneAt(m_frames.timeOf(m_target)) == film::kOrder.back().id)
        m_target = m_lastFrame;
    if (m_target < m_lastFrame)
        m_sceneGoal = sceneAt(m_frames.timeOf(m_target));
}

void PreviewSession::seekTo(double time)
{
    m_sceneGoal = kNoScene;
    // Past the end there is nothing to show: the film goes to its last frame.
    m_target = std::min(m_frames.frameAt(time), m_lastFrame);
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

void PreviewSession::toggleMute()
{
    m_muted = !m_muted;
    setNotice(m_muted ? "muted (M plays the song again)" : "the song plays", false);
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
    if (m_looping) {
        m_looping = false;
        return;
    }
    if (m_loopIn < 0 || m_loopOut < 0)
        setNotice("no loop: mark its start with I and its end with O", true);
    else if (m_loopIn >= m_loopOut)
        setNotice("no loop: the out mark (" + secondsText(m_frames.timeOf(m_loopOut)) +
                      ") is not after the in mark (" + secondsText(m_frames.timeOf(m_loopIn)) + ")",
                  true);
    else
        m_looping = true;
}

void PreviewSession::clearMarks()
{
    m_loopIn = -1;
    m_loopOut = -1;
    m_looping = false;
}

void PreviewSession::landOn(long frame)
{
    m_sceneGoal = kNoScene;
    m_target = frame;
}

void PreviewSession::pass(double seconds)
{
    m_noticeAge += seconds;
    if (!m_paused && !ended()) {
        m_owed += seconds * m_speed;
        const long due = static_cast<long>(std::floor(m_owed * m_frames.fps()));
        m_owed = due > kMostFramesAtOnce ? 0.0 : m_owed - static_cast<double>(due) / m_frames.fps();
        m_target += std::min<long>(due, kMostFramesAtOnce);
        if (m_looping && m_target > m_loopOut)
            m_target = m_loopIn;
        m_target = std::min(m_target, m_lastFrame);
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
        // While building, the game folder changes by the build's own hand: it is read
        // again once the build ends, also when it failed after staging the data.
        if (m_building && group->buildTarget.empty()) {
            m_stagedWhileBuilding = true;
            continue;
        }
        if (std::find(m_changed.begin(), m_changed.end(), group) == m_changed.end())
            m_changed.push_back(group);
    }
}

void PreviewSession::startWork()
{
    std::vector<std::string> targets;
    m_buildSources.clear();
    m_stagedWhileBuilding = false;
    std::string names;
    for (const WatchedGroup* group : m_changed) {
        names += (names.empty() ? "" : ", ") + group->name;
        if (!group->buildTarget.empty() && !m_buildFolder.empty() &&
            std::find(targets.begin(), targets.end(), group->buildTarget) == targets.end())
            targets.push_back(group->buildTarget);
    }
    for (const std::string& target : targets)
        m_buildSources.push_back(sourceBuiltBy(target));
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
    for (NoticeSource source : m_buildSources)
        m_errors[static_cast<int>(source)] = succeeded ? "" : "build failed: " + failure;
    if (!succeeded) {
        m_reloadDue = m_stagedWhileBuilding;
        return;
    }
    if (m_buildsSelf) {
        m_relaunch(stateArguments("rebuilt at " + secondsText(m_frames.timeOf(m_target))));
        return;
    }
    m_reloadDue = true;
}

std::vector<std::string> PreviewSession::stateArguments(const std::string& notice) const
{
    PreviewOptions now = m_options;
    now.speed = m_speed;
    now.loopIn.reset();
    now.loopOut.reset();
    if (m_loopIn >= 0)
        now.loopIn = m_frames.timeOf(m_loopIn);
    if (m_loopOut >= 0)
        now.loopOut = m_frames.timeOf(m_loopOut);
    now.looping = m_looping;
    now.muted = m_muted;
    now.errors.clear();
    for (std::size_t source = 0; source < m_errors.size(); ++source)
        if (!m_errors[source].empty())
            now.errors.push_back(std::string(kNoticeSourceNames[source]) + "=" + m_errors[source]);
    // Where the film is going: a key already taken but not yet shown counts.
    return now.restartArguments(m_frames.timeOf(m_target), m_paused, notice);
}

void PreviewSession::loaded(bool ready, int lines, const std::string& first)
{
    const bool reload = !m_firstLoad;
    m_firstLoad = false;
    m_reloadDue = false;
    const std::string what = reload ? "reloaded at " + secondsText(m_frames.timeOf(std::max(m_shown, 0L)))
                                    : m_notice;
    std::string& data = m_errors[static_cast<int>(NoticeSource::Data)];
    if (!ready)
        data = "the film cannot start: " + first;
    else if (lines > 0)
        data = std::to_string(lines) + (lines == 1 ? " line" : " lines") + " from the film, the first: " + first;
    else
        data.clear();
    setNotice(what, false);
}

void PreviewSession::reached(long frame)
{
    m_shown = frame;
    if (frame >= m_lastFrame)
        stopAtEnd(frame);
}

void PreviewSession::stopAtEnd(long lastFrame)
{
    m_shown = lastFrame;
    m_lastFrame = lastFrame;
    m_paused = true;
    m_target = m_shown;
}

void PreviewSession::restarted()
{
    m_shown = -1;
}

std::vector<Notice> PreviewSession::notices() const
{
    std::vector<Notice> shown;
    for (const std::string& error : m_errors)
        if (!error.empty() && std::find(shown.begin(), shown.end(), Notice{error, true}) == shown.end())
            shown.push_back({error, true});
    if (!m_notice.empty() && m_noticeAge < kNoticeFor)
        shown.push_back({m_notice, m_noticeIsError});
    return shown;
}

void PreviewSession::setNotice(const std::string& notice, bool error)
{
    m_notice = notice;
    m_noticeIsError = error;
    m_noticeAge = 0.0;
}
