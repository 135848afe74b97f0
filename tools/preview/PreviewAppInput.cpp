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
        if (event.mouseButton.button == sf::Mouse::Left && !m_cleanView &&
            m_timeline.contains(static_cast<float>(event.mouseButton.x), static_cast<float>(event.mouseButton.y))) {
            m_dragging = true;
            seekWithPointer(event.mouseButton.x);
        }
        return;
    case sf::Event::MouseMoved:
        // The film follows the pointer while it drags on the bar; over it, the bar says the
        // time under the pointer.
        m_hoverX = m_timeline.contains(static_cast<float>(event.mouseMove.x), static_cast<float>(event.mouseMove.y))
                       ? static_cast<float>(event.mouseMove.x)
                       : -1.0f;
        if (m_dragging)
            seekWithPointer(event.mouseMove.x);
        return;
    case sf::Event::MouseLeft:
        m_hoverX = -1.0f;
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
    moved();
}

void PreviewApp::moved()
{
    m_moved = true;
    m_sinceCause.restart();
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
            moved();
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
    case sf::Keyboard::X: m_session.clearMarks(); return;
    case sf::Keyboard::C: m_cleanView = !m_cleanView; return;
    case sf::Keyboard::E: startExport(); return;
    case sf::Keyboard::T: m_entry.begin(); return;
    case sf::Keyboard::S: saveFrame(); return;
    case sf::Keyboard::H:
    case sf::Keyboard::F1: m_helpShown = !m_helpShown; return;
    case sf::Keyboard::M:
        m_session.toggleMute();
        updateVolume(false);
        return;
    default: return;
    }
    moved();
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
    const FilmFrames& frames = m_session.frames();
    StatusFacts facts;
    facts.time = m_session.time();
    facts.frame = m_session.shown();
    facts.scene = film::sceneName(m_shownScene, "?");
    facts.paused = m_session.paused();
    facts.ended = m_session.ended();
    facts.speed = m_session.speed();
    facts.muted = m_session.muted();
    if (m_session.loopIn() >= 0)
        facts.markIn = frames.timeOf(m_session.loopIn());
    if (m_session.loopOut() >= 0)
        facts.markOut = frames.timeOf(m_session.loopOut());
    facts.looping = m_session.looping();
    return statusLine(facts);
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
    if (!m_cleanView) {
        const double hover = m_hoverX >= 0.0f && !m_dragging ? m_timeline.timeAt(m_hoverX) : -1000.0;
        m_timeline.draw(m_window, m_overlay.font(), barTime, hover, replaying);
        const FilmFrames& frames = m_session.frames();
        m_timeline.drawLoop(m_window, m_session.loopIn() >= 0 ? frames.timeOf(m_session.loopIn()) : -1000.0,
                            m_session.loopOut() >= 0 ? frames.timeOf(m_session.loopOut()) : -1000.0,
                            m_session.looping());
        if (hover > -1000.0)
            m_timeline.drawTimeAt(m_window, m_overlay.font(), hover);
        std::vector<Notice> notices;
        if (m_build.running()) {
            // The build's progress first; the errors standing stay beneath it.
            const BuildOutput& output = m_build.output();
            notices.push_back(
                {buildLine(m_session.buildingWhat(), output.step(), output.steps(), output.doing()), false});
        }
        if (m_export.running())
            notices.push_back({"exporting " + m_exportName + ": " + m_exportProgress, false});
        for (const Notice& notice : m_session.notices())
            notices.push_back(notice);
        m_overlay.draw(m_window, status, notices);
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
