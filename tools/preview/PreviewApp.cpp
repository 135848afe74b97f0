#include "PreviewApp.hpp"

#include "HandOver.hpp"
#include "LoaderLines.hpp"

#include "assets/MusicManager.hpp"
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
#include <fstream>
#include <iostream>
#include <optional>

namespace {
const char* const kTitle = "Drennmoor preview";
constexpr float kReplayQuietFor = 0.1f;     // seconds of replay before the progress shows
constexpr float kReplayRedrawEvery = 0.25f; // seconds between progress pictures (each costs a frame)
constexpr int kIdleSleep = 20;              // milliseconds between looks while nothing moves
constexpr int kPlayingSleep = 2;            // milliseconds between looks while playing
constexpr long kMostFilmFrames = 400L * 1000;  // frames the film is surely over by: 400 s at 1000 fps
}

PreviewApp::PreviewApp(const PreviewOptions& options, const std::string& gameFolder,
                       PreviewSession::Relaunch relaunch)
    : m_session(options, gameFolder,
                [this, relaunch](const std::vector<std::string>& arguments) {
                    // The hand-over: the old window stays, recording the keys, until the new
                    // program's window is shown.
                    if (m_window.isOpen()) {
                        present("the rebuilt preview takes over: a moment", false, m_session.time());
                        HandOver::keep(m_window);
                    }
                    keepSession("");
                    relaunch(arguments);
                },
                [this](const std::vector<std::string>& command) {
                    if (!m_build.start(command))
                        m_session.buildEnded(false, m_build.failure());
                })
{
}

int PreviewApp::run()
{
    loadConfig();
    m_configMuted = MusicManager::instance().musicMuted;
    if (!openWindow())
        return 1;
    present("reading the film", false, m_session.targetTime());
    // Keys pressed in the old program's window while this one started come before its own.
    const std::vector<sf::Event> handedOver = m_handOver.take(m_window);
    loadFilm(true);
    for (const sf::Event& event : handedOver)
        handleEvent(event);
    sf::Clock clock;
    while (m_window.isOpen()) {
        const double seconds = clock.restart().asSeconds();
        sf::Event event;
        while (m_window.pollEvent(event))
            handleEvent(event);
        if (!m_window.isOpen())
            break;
        const std::vector<Notice> noticesWere = m_session.notices();
        m_session.pass(seconds);
        m_dirty = m_dirty || noticesWere != m_session.notices();
        pollBuild();
        pollExport();
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
    m_export.stop();
    keepSession("");
    return 0;
}

void PreviewApp::keepSession(const std::string& notice) const
{
    std::ofstream out(m_session.sessionFile());
    for (std::string argument : m_session.stateArguments(notice)) {
        std::replace(argument.begin(), argument.end(), '\n', ' ');
        out << argument << '\n';
    }
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
    if (!first)
        moved();
    LoaderLines lines;
    lines.begin();
    m_filmReady = first ? game().loadContent() : game().reloadContent();
    // The scenes look their pictures up when they begin: one undrawn run has them all say it.
    // The frame that ends the film is drawn by the credits, which then hand over to the quit.
    const float dt = m_session.frames().dt();
    long frame = 0;
    for (; m_filmReady && game().sceneId != Game::kQuit && frame < kMostFilmFrames; ++frame)
        game().advance(dt);
    if (m_filmReady && game().sceneId == Game::kQuit)
        m_session.filmEndsAt(frame - 1);
    game().restart();
    lines.finish();
    m_knownLines = lines.all();
    m_session.loaded(m_filmReady, lines.count(), lines.first());
    m_session.restarted();
    m_moved = true;
    m_dirty = true;
}

bool PreviewApp::catchUp()
{
    if (m_session.needsRestart())
        restartFilm();
    if (m_session.target() == m_session.shown()) {
        if (m_moved)
            settle();
        return true;
    }
    // What the film printed as it loaded is said once: a replay's lines that are not new
    // stay unprinted (a missing sprite is named when its scene begins).
    std::streambuf* const terminal = std::cerr.rdbuf();
    const LoaderOutput newLines([this, terminal](const std::string& line) {
        if (m_knownLines.count(line) != 0)
            return;
        std::ostream out(terminal);
        out << line << std::endl;
    });
    long shown = m_session.shown();
    // A seek replays in a hurry, silent, with its progress on the bar; playing only keeps up.
    Replay replay;
    replay.from = shown;
    replay.seeking = m_moved || m_session.target() - shown > PreviewSession::kMostFramesAtOnce;
    if (replay.seeking)
        updateVolume(true);
    // Between the replay's progress pictures, keys pressed meanwhile count.
    while (replayFrames(shown, replay)) {
        sf::Event event;
        while (m_window.pollEvent(event))
            handleEvent(event);
        if (!m_window.isOpen())
            return false;
        // A key that goes back starts the run again from the film's start.
        if (m_session.needsRestart())
            return true;
        const double share = static_cast<double>(shown - replay.from) /
                             static_cast<double>(std::max(m_session.target() - replay.from, 1L));
        present(replayLine(m_session.targetTime(), share), true, m_session.frames().timeOf(shown));
    }
    landOnScene(shown);
    showFrame(shown);
    if (m_moved)
        settle();
    else if (replay.seeking)
        updateVolume(false);
    else if (!m_session.paused())
        m_song.keepInStep(m_session.time());
    return true;
}

void PreviewApp::restartFilm()
{
    game().restart();
    m_session.restarted();
    // A loop going round moves the film by itself.
    if (!m_moved)
        moved();
}

bool PreviewApp::replayFrames(long& shown, Replay& replay)
{
    const float dt = m_session.frames().dt();
    // The film's end stops the run where it is.
    while (shown + 1 < m_session.target() && game().sceneId != Game::kQuit) {
        game().advance(dt);
        ++shown;
        const float elapsed = replay.clock.getElapsedTime().asSeconds();
        if (replay.seeking && elapsed > kReplayQuietFor && elapsed - replay.lastDrawn > kReplayRedrawEvery) {
            replay.lastDrawn = elapsed;
            m_session.reached(shown);
            return true;
        }
    }
    return false;
}

void PreviewApp::landOnScene(long& shown)
{
    // A scene key lands on the scene's first frame, a few frames past its nominal start.
    if (m_session.sceneGoal() == PreviewSession::kNoScene || shown + 1 != m_session.target())
        return;
    const float dt = m_session.frames().dt();
    for (const long limit = std::min(shown + m_session.frames().fps(), m_session.lastFrame());
         game().sceneId != m_session.sceneGoal() && game().sceneId != Game::kQuit && shown + 1 < limit; ++shown)
        game().advance(dt);
    m_session.landOn(shown + 1);
}

void PreviewApp::showFrame(long shown)
{
    if (game().sceneId == Game::kQuit) {
        // Only when the film ended sooner than its load said.
        m_session.stopAtEnd(shown);
        m_moved = true;
        return;
    }
    m_shownScene = game().sceneId;
    game().frame(m_session.frames().dt(), m_picture);
    m_picture.display();
    m_session.reached(shown + 1);
    m_moved = m_moved || m_session.ended();
}

void PreviewApp::settle()
{
    m_song.setSpeed(m_session.speed());
    m_song.follow(m_session.time(), m_session.paused());
    updateVolume(false);
    // How long the move took, from the key or the pointer to the frame in the picture.
    char line[160];
    std::snprintf(line, sizeof line, "drennmoor-preview: at %.3f s, frame %ld, %s%s%s (%.0f ms)", m_session.time(),
                  m_session.shown(), film::sceneName(m_shownScene, "?"), m_session.paused() ? ", paused" : "",
                  m_session.ended() ? ", the end" : "", m_sinceCause.getElapsedTime().asSeconds() * 1000.0);
    reportLine(line);
    m_moved = false;
    m_dirty = true;
}

void PreviewApp::reportNotice()
{
    // Each new notice also goes to standard error, once.
    std::vector<Notice> notices = m_session.notices();
    if (m_build.running())
        notices.push_back({"building " + m_session.buildingWhat(), false});
    if (m_export.running())
        notices.push_back({"exporting " + m_exportName, false});
    for (const Notice& notice : notices)
        if (std::find(m_reportedNotices.begin(), m_reportedNotices.end(), notice) == m_reportedNotices.end())
            reportLine("drennmoor-preview: " + notice.text);
    m_reportedNotices = notices;
}

void PreviewApp::updateVolume(bool hurrying)
{
    m_song.silence(m_configMuted || hurrying || m_session.muted() || !SongSync::follows(m_session.speed()));
}
