#include "PreviewApp.hpp"

#include "LoaderLines.hpp"

#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "core/Diagnostics.hpp"
#include "core/Game.hpp"
#include "core/Letterbox.hpp"
#include "core/Screen.hpp"
#include "core/FilmOrder.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Sleep.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
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
                    // The hand-over: the new program opens its window and reads the film, keys
                    // pressed in its window meanwhile wait for it.
                    if (m_window.isOpen())
                        present("the rebuilt preview takes over: a moment", false, m_session.time());
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
    loadFilm(true);
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
    // The game's own window: as large as the desktop has room for, centred; any size letterboxes.
    const sf::VideoMode desktopMode = sf::VideoMode::getDesktopMode();
    const sf::Vector2u desktop(desktopMode.width, desktopMode.height);
    const sf::Vector2u size = windowedSize(desktop);
    m_window.create(sf::VideoMode(size.x, size.y, 32), kTitle);
    if (!m_window.isOpen())
        return false;
    m_window.setPosition(centredPosition(size, desktop));
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
    if (m_session.needsRestart()) {
        game().restart();
        m_session.restarted();
        // A loop going round moves the film by itself.
        if (!m_moved)
            moved();
    }
    long shown = m_session.shown();
    const long from = shown;
    if (m_session.target() == shown) {
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
        for (const long limit = std::min(shown + m_session.frames().fps(), m_session.lastFrame());
             game().sceneId != m_session.sceneGoal() && game().sceneId != Game::kQuit && shown + 1 < limit; ++shown)
            game().advance(dt);
        m_session.landOn(shown + 1);
    }
    if (game().sceneId == Game::kQuit) {
        // Only when the film ended sooner than its load said.
        m_session.stopAtEnd(shown);
        m_moved = true;
    } else {
        m_shownScene = game().sceneId;
        game().frame(dt, m_picture);
        m_picture.display();
        m_session.reached(shown + 1);
        m_moved = m_moved || m_session.ended();
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

void PreviewApp::startExport()
{
    if (m_export.running()) {
        m_session.setNotice("the export of " + m_exportName + " is still running", false);
        return;
    }
    const long in = m_session.loopIn();
    const long out = m_session.loopOut();
    if (in < 0 || out <= in) {
        m_session.setNotice("no export: mark the loop's start with I and its end after it with O", true);
        return;
    }
    const FilmFrames& frames = m_session.frames();
    char name[64];
    std::snprintf(name, sizeof name, "loop_%08.3f-%08.3f.mp4", frames.timeOf(in), frames.timeOf(out));
    m_exportName = name;
    m_exportProgress = "starting";
    char from[32];
    char until[32];
    std::snprintf(from, sizeof from, "%.6f", frames.timeOf(in));
    std::snprintf(until, sizeof until, "%.6f", frames.timeOf(out));
    const std::string folder = std::filesystem::current_path().string();
    if (!m_export.start({folder + "/drennmoor-film", "--video", folder + "/" + m_exportName, "--from", from, "--until",
                         until}))
        m_session.setNotice("export failed: " + m_export.failure(), true);
}

void PreviewApp::pollExport()
{
    if (!m_export.running())
        return;
    const std::string before = m_exportProgress;
    const bool ended = m_export.poll();
    // "drennmoor-film: video 45% (27 of 60 frames), about 4 s left"
    const std::string& line = m_export.output().lastLine();
    if (line.find('%') != std::string::npos && line.find(": ") != std::string::npos)
        m_exportProgress = line.substr(line.find(": ") + 2);
    if (ended)
        m_session.setNotice(m_export.succeeded() ? "exported the loop to " + m_exportName + " in the game folder"
                                                 : "export failed: " + m_export.output().lastLine(),
                            !m_export.succeeded());
    m_dirty = m_dirty || before != m_exportProgress || ended;
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
