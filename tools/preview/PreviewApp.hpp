#pragma once

#include "BuildProcess.hpp"
#include "HandOver.hpp"
#include "PreviewOptions.hpp"
#include "PreviewOverlay.hpp"
#include "PreviewSession.hpp"
#include "SongSync.hpp"
#include "TimeEntry.hpp"
#include "TimelineBar.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/System/Clock.hpp>
#include <SFML/Window/Event.hpp>

#include <set>
#include <string>

// The preview's real-world side: the window, the keys and the pointer, the clock, the song,
// the builds as child processes, and running the film's frames up to where the session wants
// them, from the film's start again (in this process) when it goes back. Run it in the game
// folder.
class PreviewApp {
public:
    PreviewApp(const PreviewOptions& options, const std::string& gameFolder, PreviewSession::Relaunch relaunch);

    // Opens the window and plays until Escape or the close button (a build running then is
    // stopped). 0 then; 1 when the window cannot be made.
    int run();

private:
    bool openWindow();
    // Reads the game folder (again, after the first time) and counts the lines the film
    // prints, loaders and scenes, by running it once undrawn, which also finds its last
    // frame; the film is then at its start.
    void loadFilm(bool first);
    // Runs the film's frames up to the session's target: the ones in between undrawn, the
    // last into the picture. Keys pressed meanwhile count. False when the window was closed.
    bool catchUp();
    // The film from its start again, for a target before the frame shown.
    void restartFilm();
    // A replay's clock and where it began; `seeking` draws its progress now and then.
    struct Replay {
        sf::Clock clock;
        float lastDrawn = 0.0f;  // seconds into the replay of the last progress picture
        long from = 0;
        bool seeking = false;
    };
    // Runs the frames after `shown` undrawn, counting them in `shown`, until the target's is
    // next or the film has ended (false then), or a progress picture is due (true).
    bool replayFrames(long& shown, Replay& replay);
    // With the target's frame next and a scene key pressed: runs on to the scene's first
    // frame (at most a second), where the session then lands.
    void landOnScene(long& shown);
    // Draws the frame after `shown` into the picture; at the film's end stays on `shown`.
    void showFrame(long shown);
    void pollBuild();
    // E: the loop's range as a video, by the film renderer in the background.
    void startExport();
    void pollExport();
    void handleEvent(const sf::Event& event);
    void handleKey(const sf::Event::KeyEvent& key);
    bool handleTyping(const sf::Event& event);
    void seekWithPointer(int x);
    // A key, the pointer or a reload asks for another frame: the time to it counts from now.
    void moved();
    void saveFrame();
    // Keeps the session's state in the game folder for --resume.
    void keepSession(const std::string& notice) const;
    // The song to the time shown, at the speed, muted or not; a line on standard error
    // saying where the film is.
    void settle();
    void updateVolume(bool hurrying);
    void reportNotice();
    std::string statusNow() const;
    // Draws the window: the picture letterboxed, the timeline with its cursor at `barTime`
    // (while `replaying`, filled up to it), the overlay with `status` and the notices; in the
    // clean view only the picture.
    void present(const std::string& status, bool replaying, double barTime);
    void presentNow();

    HandOver m_handOver;  // from the program this one took over from, if any
    BuildProcess m_build;
    BuildProcess m_export;     // the film renderer writing the loop's range
    std::string m_exportName;  // the video it writes, in the game folder
    std::string m_exportProgress;  // "video 45% (27 of 60 frames), about 4 s left"
    sf::RenderWindow m_window;
    sf::RenderTexture m_picture;  // the frame shown, as the game's window would hold it
    TimelineBar m_timeline;
    PreviewOverlay m_overlay;
    SongSync m_song;
    TimeEntry m_entry;
    sf::Clock m_sinceCause;  // since the key, pointer event or reload that moved the film
    // The lines the film printed as it loaded: not printed again when a replay meets them.
    std::set<std::string> m_knownLines;
    int m_shownScene = -1;  // the scene that drew the frame shown
    bool m_configMuted = false;  // config.json's "music": false
    bool m_filmReady = false;
    bool m_moved = true;   // a seek or a pause since the song was last put in place
    bool m_dirty = true;   // the window's picture is out of date
    bool m_dragging = false;
    bool m_helpShown = false;
    bool m_cleanView = false;
    float m_hoverX = -1.0f;  // the pointer's x over the bar; below 0 when it is elsewhere
    std::vector<Notice> m_reportedNotices;
    std::string m_shownStatus;  // what the window shows, to draw only on a change
    // Last: its callbacks use the window, the build and the members above, which are made
    // before it and outlive it.
    PreviewSession m_session;
};
