#include "PreviewApp.hpp"

#include "FramePicture.hpp"

#include "core/Diagnostics.hpp"
#include "core/Game.hpp"
#include "core/Letterbox.hpp"
#include "core/FilmOrder.hpp"

#include <SFML/Graphics/Sprite.hpp>

// The preview's input and drawing: what each key and the pointer do, and the window's picture.

void PreviewApp::handleEvent(const sf::Event& event)
{
    m_dirty = true;
    if (event.type == sf::Event::KeyPressed || event.type == sf::Event::MouseButtonPressed ||
        event.type == sf::Event::MouseButtonReleased)
        m_sinceInput.restart();
    if (handleTyping(event))
        return;
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
        handleKey(event.key);
        return;
    case sf::Event::MouseButtonPressed:
        if (event.mouseButton.button == sf::Mouse::Left &&
            m_timeline.contains(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y))) {
            m_dragging = true;
            seekWithPointer(event.mouseButton.x);
        }
        return;
    case sf::Event::MouseMoved:
        // The film follows the pointer while it drags on the bar.
        if (m_dragging)
            seekWithPointer(event.mouseMove.x);
        return;
    case sf::Event::MouseButtonReleased:
        if (m_dragging && event.mouseButton.button == sf::Mouse::Left) {
            m_dragging = false;
            seekWithPointer(event.mouseButton.x);
        }
        return;
    default:
        return;
    }
}

void PreviewApp::seekWithPointer(int x)
{
    m_session.seekTo(m_timeline.timeAt(static_cast<float>(x)));
    m_moved = true;
}

bool PreviewApp::handleTyping(const sf::Event& event)
{
    if (!m_entry.active())
        return false;
    if (event.type == sf::Event::TextEntered && event.text.unicode < 128) {
        m_entry.type(static_cast<char>(event.text.unicode));
        return true;
    }
    if (event.type != sf::Event::KeyPressed)
        return event.type == sf::Event::TextEntered;
    if (event.key.code == sf::Keyboard::Escape) {
        m_entry.cancel();
    } else if (event.key.code == sf::Keyboard::BackSpace) {
        m_entry.erase();
    } else if (event.key.code == sf::Keyboard::Enter) {
        if (const std::optional<double> time = m_entry.finish()) {
            m_session.seekTo(*time);
            m_moved = true;
        } else {
            reportLine("drennmoor-preview: " + m_entry.refusal());
            m_session.setNotice(m_entry.refusal(), false);
        }
    }
    return true;
}

void PreviewApp::handleKey(const sf::Event::KeyEvent& key)
{
    const double jump = key.shift ? PreviewSession::kShortJump : PreviewSession::kJump;
    switch (key.code) {
    case sf::Keyboard::Escape: m_window.close(); return;
    case sf::Keyboard::Space: m_session.togglePause(); break;
    case sf::Keyboard::Left: m_session.jump(-jump); break;
    case sf::Keyboard::Right: m_session.jump(jump); break;
    case sf::Keyboard::Comma: m_session.stepFrames(-1); break;
    case sf::Keyboard::Period: m_session.stepFrames(1); break;
    case sf::Keyboard::PageUp: m_session.previousScene(); break;
    case sf::Keyboard::PageDown: m_session.nextScene(); break;
    case sf::Keyboard::Home: m_session.home(); break;
    case sf::Keyboard::LBracket: m_session.slower(); break;
    case sf::Keyboard::RBracket: m_session.faster(); break;
    case sf::Keyboard::I: m_session.markIn(); return;
    case sf::Keyboard::O: m_session.markOut(); return;
    case sf::Keyboard::L: m_session.toggleLoop(); return;
    case sf::Keyboard::T: m_entry.begin(); return;
    case sf::Keyboard::S: saveFrame(); return;
    case sf::Keyboard::H:
    case sf::Keyboard::F1: m_helpShown = !m_helpShown; return;
    case sf::Keyboard::M:
        m_muted = !m_muted;
        updateVolume(false);
        return;
    default: return;
    }
    m_moved = true;
}

void PreviewApp::saveFrame()
{
    // The picture as drawn by the film's frame, as the film renderer writes it.
    const std::string name = frameFileName(m_session.time());
    if (m_session.shown() >= 0 && opaqueFrame(m_picture.getTexture()).saveToFile(name)) {
        m_session.setNotice("saved " + name + " in the game folder", false);
    } else {
        m_session.setNotice("cannot save " + name, true);
    }
}

std::string PreviewApp::statusNow() const
{
    if (m_entry.active())
        return "go to: " + m_entry.text() + "_   (Enter goes, Escape cancels)";
    return statusLine(m_session.time(), m_session.shown(), film::sceneName(game().sceneId, "?"), m_session.paused(),
                      m_session.speed(), m_session.looping());
}

void PreviewApp::present(const std::string& status, bool replaying, double barTime)
{
    m_window.clear(sf::Color::Black);
    // The picture as the game's window holds it, colours and all, in the film's rectangle;
    // during a replay, the last one shown.
    const sf::View overlayView = m_window.getView();
    m_window.setView(letterboxView(m_window.getSize()));
    m_window.draw(sf::Sprite(m_picture.getTexture()), sf::RenderStates(sf::BlendNone));
    m_window.setView(overlayView);
    m_timeline.draw(m_window, m_overlay.font(), barTime, -1000.0, replaying);
    const FilmFrames& frames = m_session.frames();
    m_timeline.drawLoop(m_window, m_session.loopIn() >= 0 ? frames.timeOf(m_session.loopIn()) : -1000.0,
                        m_session.loopOut() >= 0 ? frames.timeOf(m_session.loopOut()) : -1000.0, m_session.looping());
    std::string notice = m_session.noticeShown() ? m_session.notice() : std::string();
    bool error = m_session.noticeIsError();
    if (m_build.running()) {
        // The build's progress first; an error left by the last one stays beneath it.
        const BuildOutput& output = m_build.output();
        const std::string building =
            buildLine(m_session.buildingWhat(), output.step(), output.steps(), output.doing());
        m_overlay.draw(m_window, status, building);
        if (error && !notice.empty())
            m_overlay.draw(m_window, "", notice, true, 2);
    } else {
        m_overlay.draw(m_window, status, notice, error);
    }
    if (m_helpShown)
        m_overlay.drawHelp(m_window);
    m_window.display();
    m_shownStatus = status;
    m_dirty = false;
}

void PreviewApp::presentNow()
{
    present(statusNow(), false, m_session.time());
}
