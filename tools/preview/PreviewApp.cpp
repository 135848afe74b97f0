#include "PreviewApp.hpp"

#include "LoaderLines.hpp"

#include "core/Config.hpp"
#include "core/Diagnostics.hpp"
#include "core/Game.hpp"
#include "core/GameWindow.hpp"
#include "core/Letterbox.hpp"
#include "core/Screen.hpp"
#include "core/FilmOrder.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Sleep.hpp>

#include <algorithm>
#include <cstdio>

namespace {
const char* const kTitle = "Drennmoor preview";
constexpr float kReplayQuietFor = 0.1f;     // seconds of replay before the progress shows
constexpr float kReplayRedrawEvery = 0.25f; // seconds between progress pictures (each costs a frame)
constexpr int kIdleSleep = 20;              // milliseconds between looks while nothing moves
constexpr int kPlayingSleep = 2;            // milliseconds between looks while playing
constexpr long kWholeFilm = 400;            // seconds the film is surely over by
}

PreviewApp::PreviewApp(const PreviewOptions& options, const std::string& gameFolder,
                       PreviewSession::Relaunch relaunch)
    : m_session(options, gameFolder, std::move(relaunch),
                [this](const std::vector<std::string>& command) {
                    if (!m_build.start(command))
                        m_session.buildEnded(false, m_build.failure());
                })
{
}

int PreviewApp::run()
{
    loadConfig();
    if (!openWindow())
        return 1;
    loadFilm(true);
    sf::Clock clock;
    while (m_window.isOpen()) {
        const double seconds = clock.restart().asSeconds();
        sf::Event event;
        while (m_window.pollEvent(event))
            handleEvent(event);
        if (!m_window.isOpen())
            break;
        const bool noticeWas = m_session.noticeShown();
        m_session.pass(seconds);
        m_dirty = m_dirty || noticeWas != m_session.noticeShown();
        pollBuild();
        if (m_session.reloadDue())
            loadFilm(false);
        reportNotice();
        const long before = m_session.shown();
        if (m_filmReady && !catchUp())
            break;
        if (m_session.shown() != before)
            m_dirty = true;
        if (m_dirty || statusNow() != m_shownStatus)
            presentNow();
        // Nothing moves while paused: look again now and then, draw nothing.
        sf::sleep(sf::milliseconds(m_session.paused() && !m_dragging ? kIdleSleep : kPlayingSleep));
    }
    m_build.stop();
    return 0;
}

bool PreviewApp::openWindow()
{
    // The game's own window: as large as the desktop's work area has room for, centred; any size
    // letterboxes.
    const sf::VideoMode desktopMode = sf::VideoMode::getDesktopMode();
    const sf::Vector2u desktop(desktopMode.width, desktopMode.height);
    const WindowPlacement placement = windowedPlacement(desktop);
    const sf::Vector2u size = placement.size;
    m_window.create(sf::VideoMode(size.x, size.y, 32), kTitle);
    if (!m_window.isOpen())
        return false;
    m_window.setPosition(placement.position);
    m_window.setVerticalSyncEnabled(gameConfig().vsync);
    m_window.setActive(true);
    m_timeline.layout(static_cast<float>(size.x), static_cast<float>(size.y));
    m_overlay.loadFont();
    m_picture.create(kScreenWidth, kScreenHeight);
    m_picture.clear(sf::Color::Black);
    m_picture.display();
    return true;
}

void PreviewApp::loadFilm(bool first)
{
    LoaderLines lines;
    lines.begin();
    m_filmReady = first ? game().loadContent() : game().reloadContent();
    // The scenes look their pictures up when they begin: one undrawn run has them all say it.
    const float dt = m_session.frames().dt();
    for (long frame = 0; m_filmReady && game().sceneId != Game::kQuit && frame < kWholeFilm * 1000; ++frame)
        game().advance(dt);
    game().restart();
    lines.finish();
    m_session.loaded(m_filmReady, lines.count(), lines.first());
    m_session.restarted();
    m_moved = true;
    m_dirty = true;
}

bool PreviewApp::catchUp()
{
    if (m_session.needsRestart()) {
        game().restart();
        m_session.restarted();
        m_moved = true;
    }
    long shown = m_session.shown();
    const long from = shown;
    if (m_session.target() == shown) {
        if (m_moved)
            settle();
        return true;
    }
    const float dt = m_session.frames().dt();
    // A seek replays in a hurry, silent, with its progress on the bar; playing only keeps up.
    const bool seeking = m_moved || m_session.target() - shown > PreviewSession::kMostFramesAtOnce;
    if (seeking)
        updateVolume(true);
    sf::Clock replay;
    float lastDrawn = 0.0f;
    // The frames before the target run undrawn; the film's end stops the run where it is.
    for (; shown + 1 < m_session.target() && game().sceneId != Game::kQuit; ++shown) {
        game().advance(dt);
        const float elapsed = replay.getElapsedTime().asSeconds();
        if (seeking && elapsed > kReplayQuietFor && elapsed - lastDrawn > kReplayRedrawEvery) {
            lastDrawn = elapsed;
            m_session.reached(shown + 1);
            sf::Event event;
            while (m_window.pollEvent(event))
                handleEvent(event);
            if (!m_window.isOpen())
                return false;
            // A key that goes back starts the run again from the film's start.
            if (m_session.needsRestart())
                return true;
            const double share = static_cast<double>(shown + 1 - from) /
                                 static_cast<double>(std::max(m_session.target() - from, 1L));
            present(replayLine(m_session.targetTime(), share), true, m_session.frames().timeOf(shown + 1));
        }
    }
    // A scene key lands on the scene's first frame, a few frames past its nominal start.
    if (m_session.sceneGoal() != PreviewSession::kNoScene && shown + 1 == m_session.target()) {
        for (const long limit = shown + m_session.frames().fps();
             game().sceneId != m_session.sceneGoal() && game().sceneId != Game::kQuit && shown + 1 < limit; ++shown)
            game().advance(dt);
        m_session.landOn(shown + 1);
    }
    if (game().sceneId == Game::kQuit) {
        m_session.ended(shown);
        m_moved = true;
    } else {
        game().frame(dt, m_picture);
        m_picture.display();
        m_session.reached(shown + 1);
    }
    if (m_moved)
        settle();
    else if (seeking)
        updateVolume(false);
    else if (!m_session.paused())
        m_song.keepInStep(m_session.time());
    return true;
}

void PreviewApp::pollBuild()
{
    if (!m_build.running())
        return;
    const int step = m_build.output().step();
    if (m_build.poll())
        m_session.buildEnded(m_build.succeeded(), m_build.failure());
    if (step != m_build.output().step() || !m_build.running())
        m_dirty = true;
}

void PreviewApp::settle()
{
    m_song.setSpeed(m_session.speed());
    m_song.follow(m_session.time(), m_session.paused());
    updateVolume(false);
    // How long the move took, from the key or the pointer to the frame in the picture.
    char line[160];
    std::snprintf(line, sizeof line, "drennmoor-preview: at %.3f s, frame %ld, %s%s (%.0f ms)", m_session.time(),
                  m_session.shown(), film::sceneName(game().sceneId, "?"), m_session.paused() ? ", paused" : "",
                  m_sinceInput.getElapsedTime().asSeconds() * 1000.0);
    reportLine(line);
    m_moved = false;
    m_dirty = true;
}

void PreviewApp::reportNotice()
{
    // Each new notice also goes to standard error, once.
    const std::string notice = m_build.running() ? "building " + m_session.buildingWhat() : m_session.notice();
    if (notice != m_reportedNotice && !notice.empty())
        reportLine("drennmoor-preview: " + notice);
    m_reportedNotice = notice;
}

void PreviewApp::updateVolume(bool hurrying)
{
    m_song.silence(hurrying || m_muted || !SongSync::follows(m_session.speed()));
}
