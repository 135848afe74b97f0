#pragma once

#include <SFML/Audio/Music.hpp>
#include <nlohmann/json_fwd.hpp>

#include "assets/Registry.hpp"

#include <iosfwd>
#include <string>
#include <vector>

// One declared song of assets/music.json.
struct MusicEntry {
    std::string file;
    int volume = 100;          // 0 to 100
    double loopTo = 0.0;       // milliseconds; where a looping song restarts
};

// Knows every song by key and plays one at a time through its single streamed player.
// Songs are streamed while they play; load opens no audio file.
class MusicManager {
public:
    static MusicManager& instance();

    // Reads a music file ({"music": {key: {"file", "volume", "loopTo"}}}). True when the
    // document has "music"; each bad entry prints one line and is skipped.
    bool load(const std::string& path);
    // The same from an open stream holding the file's text (the fuzz target feeds it bytes).
    bool loadFromStream(std::istream& stream);
    bool contains(const std::string& key) const;
    // The song declared under `key`, or null without a word (the lint and the film's video
    // read the declarations as the game does).
    const MusicEntry* song(const std::string& key) const;
    // Every declared song's key, in byte order.
    std::vector<std::string> songKeys() const;
    // Opens the song's file on the player and plays it from offsetMs (milliseconds), looping
    // from its "loopTo" to the end when `loop` is set. An unknown key or a file that does not
    // open prints one line and leaves the player as it was.
    void playSong(const std::string& key, bool loop, double offsetMs);
    // Mutes every song from now on (config.json's "music": false, or the viewer's M).
    void mute();
    // Gives the song playing now its own volume again, and every later song too.
    void unmute();
    // Pauses the song where it is, or (false) resumes it from there. A song that is not
    // playing or paused (none yet, or one that ended) stays as it is.
    void setPaused(bool paused);
    // No sound device (or the song's has gone): the film plays as with "music": false, no
    // song is streamed from now on and unmute does nothing.
    void playWithoutDevice();
    // Ends the song, once, when the device it plays on has gone (one line says so).
    void checkDevice();

    // The one streamed player; none until a song is played on a sound device, so that the
    // audio library opens nothing before a device is known to be there, and none once the
    // device is gone.
    sf::Music* player() { return m_noDevice ? nullptr : m_player.get(); }

    // Forgets everything loaded, so that load can read the files again (the preview does
    // after an edit); every handle given out before dangles.
    void clear();

    bool musicMuted = false;

private:
    // Everything load does after reading: the property check and every entry.
    bool loadDocument(const nlohmann::json& document);

    Registry<MusicEntry> m_entries{"MusicManager", "Song"};
    std::unique_ptr<sf::Music> m_player;
    bool m_noDevice = false;
    float m_songVolume = 100.0f;  // the volume of the song playing, when it is not muted
};
