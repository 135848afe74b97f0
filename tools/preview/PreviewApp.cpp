#include "PreviewApp.hpp"

#include "LoaderLines.hpp"
#include "SceneNames.hpp"

#include "core/Config.hpp"
#include "core/Diagnostics.hpp"
#include "core/Game.hpp"
#include "core/Letterbox.hpp"
#include "core/Screen.hpp"

#include <SFML/Graphics/Sprite.hpp>
#include <SFML/System/Sleep.hpp>

#include <algorithm>
#include <cstdio>

namespace {
const char* const kTitle = "Drennmoor preview";
constexpr float kReplayQuietFor = 0.25f;     // seconds of replay before the progress shows
constexpr float kReplayRedrawEvery = 0.1f;   // seconds between progress pictures
constexpr float kNoticeFor = 8.0f;           // seconds a notice stays
constexpr int kIdleSleep = 15;               // milliseconds between pictures while paused
}

PreviewApp::PreviewApp(const PreviewOptions& options, const std::string& gameFolder, PreviewSession::Restart restart)
    : m_session(options, gameFolder, std::move(restart), runBuild)
{
}

int PreviewApp::run()
{
    loadConfig();
    // The game's own window: as large as the desktop has room for, centred; any size letterboxes.
    const sf::VideoMode desktopMode = sf::VideoMode::getDesktopMode();
    const sf::Vector2u desktop(desktopMode.width, desktopMode.height);
    const sf::Vector2u size = windowedSize(desktop);
    m_window.create(sf::VideoMode(size.x, size.y, 32), kTitle);
    if (!m_window.isOpen())
        return 1;
    m_window.setPosition(centredPosition(size, desktop));
    m_window.setVerticalSyncEnabled(gameConfig().vsync);
    m_window.setActive(true);
    m_timeline.layout(static_cast<float>(size.x), static_cast<float>(size.y));
    m_overlay.loadFont();
    m_picture.create(kScreenWidth, kScreenHeight);
    m_picture.clear(sf::Color::Black);
    m_picture.display();

    LoaderLines lines;
    lines.begin();
    m_filmReady = game().loadContent();
    lines.finish();
    m_notice = m_session.notice();
    // After a reload, say what the loaders found (all of it went to standard error too).
    if (!m_filmReady)
        m_notice = (m_notice.empty() ? "the film cannot start: " : "reload failed: ") + lines.first();
    else if (!m_notice.empty() && lines.count() > 0)
        m_notice += ", " + std::to_string(lines.count()) + (lines.count() == 1 ? " line" : " lines") +
                    " from the loaders: " + lines.first();

    sf::Clock clock;
    while (m_window.isOpen()) {
        const float seconds = clock.restart().asSeconds();
        sf::Event event;
        while (m_window.pollEvent(event))
            handleEvent(event);
        if (!m_window.isOpen())
            break;
        if (m_session.pass(seconds)) {
            setNotice(m_session.reloadNotice());
            presentNow();
            m_session.reload();  // comes back only when the build failed
            setNotice(m_session.notice());
        }
        if (m_filmReady) {
            if (m_session.needsRestart())
                m_session.restartAtTarget();
            if (!catchUp())
                break;
        }
        presentNow();
        // Paused, nothing moves: spare the machine.
        if (m_session.paused())
            sf::sleep(sf::milliseconds(kIdleSleep));
    }
    return 0;
}

void PreviewApp::setNotice(const std::string& notice)
{
    m_notice = notice;
    m_noticeClock.restart();
}

std::string PreviewApp::statusNow() const
{
    std::string status =
        statusLine(m_session.time(), m_session.shown(), sceneName(game().sceneId, "?"), m_session.paused());
    if (m_dragging) {
        char ghost[32];
        std::snprintf(ghost, sizeof ghost, "   seek to %.2f s", m_ghost);
        status += ghost;
    }
    return status;
}

bool PreviewApp::catchUp()
{
    const long from = m_session.shown();
    long shown = from;
    if (m_session.target() == shown) {
        if (m_moved)
            settle();
        return true;
    }
    const float dt = m_session.frames().dt();
    // A seek replays in a hurry, silent, with its progress on the bar; playing only keeps up.
    const bool seeking = m_moved || m_session.target() - shown > PreviewSession::kMostFramesAtOnce;
    sf::Clock replay;
    float lastDrawn = 0.0f;
    if (seeking)
        m_song.silence(true);
    // The frames before the target run undrawn; the film's end stops the run where it is.
    // Keys pressed meanwhile count (Page Down four times goes four scenes on).
    for (; shown + 1 < m_session.target() && game().sceneId != Game::kQuit; ++shown) {
        game().advance(dt);
        const float elapsed = replay.getElapsedTime().asSeconds();
        if (seeking && elapsed > kReplayQuietFor && elapsed - lastDrawn > kReplayRedrawEvery) {
            lastDrawn = elapsed;
            sf::Event event;
            while (m_window.pollEvent(event))
                handleEvent(event);
            if (!m_window.isOpen())
                return false;
            const long heading = m_session.target();
            const double share = static_cast<double>(shown - from) / static_cast<double>(std::max(heading - from, 1L));
            present(replayLine(m_session.frames().timeOf(heading), share), true,
                    m_session.frames().timeOf(shown + 1), m_session.frames().timeOf(heading));
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
        m_session.reached(shown);
        m_session.ended();
        m_moved = true;
    } else {
        game().frame(dt, m_picture);
        m_picture.display();
        m_session.reached(shown + 1);
    }
    if (seeking)
        m_song.silence(false);
    if (m_moved)
        settle();
    else if (!m_session.paused())
        m_song.keepInStep(m_session.time());
    return true;
}

void PreviewApp::settle()
{
    // A notice left by the run before counts from when the film is back, after its replay.
    if (m_session.shown() >= 0 && !m_settledOnce)
        m_noticeClock.restart();
    m_settledOnce = true;
    m_song.follow(m_session.time(), m_session.paused());
    reportPosition();
    m_moved = false;
}

void PreviewApp::reportPosition() const
{
    char line[128];
    std::snprintf(line, sizeof line, "drennmoor-preview: at %.3f s, frame %ld, %s%s", m_session.time(),
                  m_session.shown(), sceneName(game().sceneId, "?"), m_session.paused() ? ", paused" : "");
    reportLine(line);
}

void PreviewApp::handleEvent(const sf::Event& event)
{
    switch (event.type) {
    case sf::Event::Closed:
        m_window.close();
        return;
    case sf::Event::Resized:
        m_window.setView(sf::View(sf::FloatRect(0.0f, 0.0f, static_cast<float>(event.size.width),
                                                static_cast<float>(event.size.height))));
        m_timeline.layout(static_cast<float>(event.size.width), static_cast<float>(event.size.height));
        return;
    case sf::Event::KeyPressed:
        handleKey(event.key.code);
        return;
    case sf::Event::MouseButtonPressed:
        if (event.mouseButton.button == sf::Mouse::Left &&
            m_timeline.contains(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y))) {
            m_dragging = true;
            m_ghost = m_timeline.timeAt(static_cast<float>(event.mouseButton.x));
        }
        return;
    case sf::Event::MouseMoved:
        if (m_dragging)
            m_ghost = m_timeline.timeAt(static_cast<float>(event.mouseMove.x));
        return;
    case sf::Event::MouseButtonReleased:
        // A drag shows where it would seek and seeks on release: going back restarts the film.
        if (m_dragging && event.mouseButton.button == sf::Mouse::Left) {
            m_dragging = false;
            m_session.seekTo(m_timeline.timeAt(static_cast<float>(event.mouseButton.x)));
            m_moved = true;
        }
        return;
    default:
        return;
    }
}

void PreviewApp::handleKey(sf::Keyboard::Key key)
{
    switch (key) {
    case sf::Keyboard::Escape: m_window.close(); return;
    case sf::Keyboard::Space: m_session.togglePause(); break;
    case sf::Keyboard::Left: m_session.jump(-PreviewSession::kJump); break;
    case sf::Keyboard::Right: m_session.jump(PreviewSession::kJump); break;
    case sf::Keyboard::Comma: m_session.stepFrames(-1); break;
    case sf::Keyboard::Period: m_session.stepFrames(1); break;
    case sf::Keyboard::PageUp: m_session.previousScene(); break;
    case sf::Keyboard::PageDown: m_session.nextScene(); break;
    case sf::Keyboard::Home: m_session.home(); break;
    default: return;
    }
    m_moved = true;
}

void PreviewApp::present(const std::string& status, bool replaying, double barTime, double ghost)
{
    m_window.clear(sf::Color::Black);
    if (!replaying) {
        // The picture as the game's window holds it, colours and all, in the film's rectangle.
        const sf::View overlayView = m_window.getView();
        m_window.setView(letterboxView(m_window.getSize()));
        m_window.draw(sf::Sprite(m_picture.getTexture()), sf::RenderStates(sf::BlendNone));
        m_window.setView(overlayView);
    }
    m_timeline.draw(m_window, m_overlay.font(), barTime, ghost, replaying);
    const bool showNotice = m_noticeClock.getElapsedTime().asSeconds() < kNoticeFor || !m_filmReady;
    m_overlay.draw(m_window, status, showNotice ? m_notice : std::string());
    m_window.display();
}

void PreviewApp::presentNow()
{
    present(statusNow(), false, m_session.time(), m_dragging ? m_ghost : -1000.0);
}
