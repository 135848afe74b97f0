#pragma once

#include "Captions.hpp"
#include "ContactSheet.hpp"
#include "ExportSplit.hpp"
#include "FilmFrames.hpp"
#include "FilmOptions.hpp"
#include "FrameStats.hpp"
#include "VideoEncoder.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Plays the film through the game's frame function at a fixed frame rate into an off-screen
// 1920 x 1080 picture, and writes the frames the options ask for. Only those are drawn: the
// frames between them run undrawn (Game::advance), which leaves the same state. Run it in the game folder,
// after ALSOFT_DRIVERS=null has been set.
class FilmRecorder {
public:
    explicit FilmRecorder(const FilmOptions& options);

    // Start-up, the frames, the summary. False when the start-up fails (no vignette shader)
    // or a PNG or the video cannot be written; each failure prints one line.
    bool run();

private:
    struct Capture {
        long frame;  // counted from the lead-in's first frame, 0
        double time; // as asked for, seconds after the opening's first frame
    };

    void planCaptures();
    long lastFrame() const;
    // Whether `frame` is written (--at, --every, --video); every other frame runs undrawn.
    bool wantsPicture(long frame) const;
    // Whether this process draws `frame` for the video.
    bool drawsForVideo(long frame) const;
    bool playFrame(long frame);
    // Writes the frame read back into `pixels` as a PNG, or adds it to the sheet.
    bool capture(const Capture& wanted, const std::uint8_t* pixels);
    // The captions beside the video and in it; `endFrame` is one past the last frame played.
    bool finishVideo(long endFrame);
    void report() const;

    FilmOptions m_options;
    FilmFrames m_frames;
    std::vector<Capture> m_captures;  // for --at, in frame order
    std::size_t m_nextCapture = 0;
    long m_nextEvery = 0;             // index k of the next --every frame, T = k * every
    sf::RenderTexture m_window;
    ContactSheet m_sheet;
    FrameStats m_stats;
    int m_written = 0;
    std::vector<std::uint8_t> m_still;      // the read-back of a frame the video does not take
    std::unique_ptr<VideoEncoder> m_video;  // with --video
    std::unique_ptr<Captions> m_captions;   // with --video, but for the picture alone
    long m_videoFrames = 0;
    ExportSplit m_split;
};
