#pragma once

#include "FilmOptions.hpp"

#include <SFML/Graphics/Image.hpp>

#include <chrono>
#include <cstdio>
#include <string>

// Writes a range of the film's frames as an H.264 MP4 with the song, through Debian's ffmpeg:
// raw RGBA frames go down a pipe, the song is read from the game folder and shifted so that
// its second 0 falls on the opening scene's first frame (T = 0), as in the game. Run it in the
// game folder. Every failure prints one line on standard error.
class VideoEncoder {
public:
    // The range is [--from, --until) of `options` (default: the lead-in's first frame to the
    // quit); `leadInFrames` is the frame number of T = 0.
    VideoEncoder(const FilmOptions& options, long leadInFrames);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Finds ffmpeg and the song and starts the encoder. False when either is missing.
    bool open();
    // Whether the frame numbered `frame` (0 = the lead-in's first) belongs in the video.
    bool wants(long frame) const;
    // Sends one opaque 1920 x 1080 frame; about once a second, a progress line. False when
    // the pipe is broken (ffmpeg failed; finish says why).
    bool add(const sf::Image& frame);
    // Closes the pipe and waits for ffmpeg. True when the video was written.
    bool finish();

private:
    double startTime() const;
    std::string command(const std::string& song, double gain) const;
    bool readSong(std::string& file, double& gain) const;
    void reportProgress();
    std::string lastLogLine() const;

    std::string m_path;
    int m_fps;
    long m_first;     // first frame of the video
    long m_end;       // one past its last frame; LONG_MAX until the film quits
    long m_expected;  // frames expected, for the estimate of the time left
    long m_leadIn;
    std::string m_log;  // ffmpeg's own messages, shown on failure
    FILE* m_pipe = nullptr;
    long m_added = 0;
    std::chrono::steady_clock::time_point m_started;
    std::chrono::steady_clock::time_point m_lastReport;
};
