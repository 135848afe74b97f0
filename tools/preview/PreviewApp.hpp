#pragma once

#include "PreviewOptions.hpp"
#include "PreviewOverlay.hpp"
#include "PreviewSession.hpp"
#include "SongSync.hpp"
#include "TimelineBar.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>

// The preview's real-world side: the window, the keys and the pointer, the clock, the song,
// and running the film's frames up to where the session wants them. Run it in the game folder.
class PreviewApp {
public:
    PreviewApp(const PreviewOptions& options, const std::string& gameFolder, PreviewSession::Restart restart);

    // Opens the window and plays until Escape or the close button. 0 then; 1 when the
    // window cannot be made.
    int run();

private:
    // Runs the film's frames up to the session's target: the ones in between undrawn, the
    // last into the picture. False when the window was closed meanwhile.
    bool catchUp();
    void handleEvent(const sf::Event& event);
    void handleKey(sf::Keyboard::Key key);
    // The song to the time shown, and a line on standard error saying where the film is.
    void settle();
    void reportPosition() const;
    void setNotice(const std::string& notice);
    std::string statusNow() const;
    // Draws the window: the picture letterboxed (none while replaying), the timeline with
    // its cursor at `barTime` and `ghost`, the overlay with `status` and the notice.
    void present(const std::string& status, bool replaying, double barTime, double ghost);
    void presentNow();

    PreviewSession m_session;
    sf::RenderWindow m_window;
    sf::RenderTexture m_picture;  // the frame shown, as the game's window would hold it
    TimelineBar m_timeline;
    PreviewOverlay m_overlay;
    SongSync m_song;
    sf::Clock m_noticeClock;
    std::string m_notice;
    bool m_filmReady = false;
    bool m_moved = true;  // a seek or a pause since the song was last put in place
    bool m_settledOnce = false;
    bool m_dragging = false;
    double m_ghost = -1000.0;  // seconds, where a drag on the timeline would seek
};
