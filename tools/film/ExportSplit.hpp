#pragma once

#include <chrono>
#include <string>
#include <vector>

class VideoEncoder;

// Where an export's time went, per frame of the video: drawing it (the frame function until
// the picture is finished), reading it back, waiting for the encoder to take a buffer, and
// the encoder itself, which works meanwhile in its own process.
class ExportSplit {
public:
    // One frame of the video: milliseconds drawing and reading back.
    void addFrame(double drawing, double readingBack);
    // The encoder's figures, once it has finished.
    void setEncoder(const VideoEncoder& video);
    // The wall time of the whole export, from the first frame played to the video written.
    void setWall(std::chrono::steady_clock::duration wall);

    double wallSeconds() const { return m_wall / 1e3; }

    // A few lines of the split, in milliseconds per frame of the video.
    std::vector<std::string> summary() const;

private:
    long m_frames = 0;
    double m_drawing = 0.0;
    double m_readingBack = 0.0;
    double m_waiting = 0.0;
    double m_feeding = 0.0;
    double m_encoderCpu = 0.0;
    double m_encoderPeakMiB = 0.0;
    double m_wall = 0.0;  // ms
};
