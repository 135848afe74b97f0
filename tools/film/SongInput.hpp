#pragma once

#include <string>

// The song as ffmpeg takes it for a video: the file and volume the game folder's music.json
// declares, shifted so that the song's second 0 falls on the opening scene's first frame
// (T = 0), as in the game, and padded with silence to any length.
class SongInput {
public:
    // Reads music.json in the current folder. False, with one line on standard error, when it
    // declares no song or the song cannot be read.
    bool read();

    // ffmpeg's input words for a video whose first frame shows at `startTime` (seconds of T).
    std::string input(double startTime) const;
    // The audio filter for the same video.
    std::string filter(double startTime) const;

private:
    std::string m_file;
    double m_gain = 1.0;
};
