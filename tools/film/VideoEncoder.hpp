#pragma once

#include "EncoderPipe.hpp"
#include "ExportProgress.hpp"
#include "FfmpegRuns.hpp"
#include "FilmFrames.hpp"
#include "FilmOptions.hpp"
#include "SongInput.hpp"

#include <cstdint>
#include <memory>
#include <string>

// Writes a range of the film's frames as an H.264 MP4 with the song and the poem's captions,
// through Debian's ffmpeg: raw RGBA frames go down a pipe (fed from a thread of their own,
// so that the encoder works while the next frame is drawn), the song is read from the game
// folder and shifted so that its second 0 falls on the opening scene's first frame (T = 0),
// as in the game. The captions join the picture and the sound at the end, when they are all
// known, without encoding anything again. When several processes draw the video (--jobs),
// this one draws none of it: at the end it has them draw their parts, joins those and lays
// the song once over the whole. Run it in the game folder. Every failure prints one line on
// standard error.
class VideoEncoder {
public:
    // The range is [--from, --until) of `options` (default: the lead-in's first frame to the
    // quit), counted in the frames of `frames`.
    VideoEncoder(const FilmOptions& options, const FilmFrames& frames);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Finds ffmpeg and the song and starts the encoder. False when either is missing.
    bool open();
    // Whether the frame numbered `frame` (0 = the lead-in's first) belongs in the video.
    bool wants(long frame) const;
    // Whether this process draws the video's frames and sends them to nextFrame(); when
    // not, other processes draw them in finish().
    bool drawsFrames() const { return m_processes == 1; }
    int processes() const { return m_processes; }
    long firstFrame() const { return m_first; }
    // Where the next frame goes: FramePixels' layout, 1920 x 1080 RGBA, rows bottom up. May
    // wait for the encoder.
    std::uint8_t* nextFrame();
    // Sends the frame written into nextFrame(); about once a second, a progress line. False
    // when the pipe is broken (ffmpeg failed; finish says why).
    bool send();
    // Closes the pipe and waits for ffmpeg; or, when other processes draw the frames, has
    // them draw [firstFrame, endFrame) and joins their parts with the song. True when the
    // picture and sound were made (under a name of their own, not yet the video's).
    bool finish(long endFrame);
    // Makes the video: the picture and sound with the WebVTT file `subtitles` as its
    // subtitle track (still under a name of its own). True when it was made.
    bool addSubtitles(const std::string& subtitles);
    // Gives the finished video its name, and the captions file `captionsMade` (none when
    // empty) the name `captions`, together, and says what was written. False, with nothing
    // renamed, after a stop signal.
    bool publish(const std::string& captionsMade = "", const std::string& captions = "");

    // Milliseconds in all that the drawing waited for the encoder, that the feed spent
    // handing frames over, and of ffmpeg's CPU time (every core); frames sent.
    double waitedMilliseconds() const { return m_encoder ? m_encoder->waitedMilliseconds() : 0.0; }
    double feedingMilliseconds() const { return m_encoder ? m_encoder->feedingMilliseconds() : 0.0; }
    double encoderCpuMilliseconds() const { return m_encoder ? m_encoder->cpuMilliseconds() : 0.0; }
    double encoderPeakMiB() const { return m_encoder ? m_encoder->peakMiB() : 0.0; }
    long framesSent() const { return m_added; }

private:
    double startTime() const;
    std::string encodeCommand() const;
    std::string joinCommand(const std::string& list, long frames) const;
    bool finishEncoding();
    bool joinParts(long endFrame);
    void reportWritten() const;

    FilmOptions m_options;
    FilmFrames m_frames;
    std::string m_path;
    std::string m_partPath;  // the picture and sound before the captions join them
    std::string m_captionedPath;  // the whole video before it takes its name
    SongInput m_song;
    int m_fps;
    long m_first;     // first frame of the video
    long m_end;       // one past its last frame; LONG_MAX until the film quits
    long m_expected;  // frames expected, for the estimate of the time left
    long m_leadIn;
    int m_processes;  // drawing the video: 1 for this one alone
    ExportProgress m_progress;
    FfmpegRuns m_ffmpeg;  // ffmpeg's messages, shown on failure, and its runs to their end
    std::unique_ptr<EncoderPipe> m_encoder;  // when this process draws the frames
    long m_added = 0;
};
