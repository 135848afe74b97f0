#include "ExportSplit.hpp"

#include "VideoEncoder.hpp"

#include <cstdio>

void ExportSplit::addFrame(double drawing, double readingBack)
{
    ++m_frames;
    m_drawing += drawing;
    m_readingBack += readingBack;
}

void ExportSplit::setEncoder(const VideoEncoder& video)
{
    m_waiting = video.waitedMilliseconds();
    m_feeding = video.feedingMilliseconds();
    m_encoderCpu = video.encoderCpuMilliseconds();
    m_encoderPeakMiB = video.encoderPeakMiB();
}

void ExportSplit::setWall(std::chrono::steady_clock::duration wall)
{
    m_wall = std::chrono::duration<double, std::milli>(wall).count();
}

std::vector<std::string> ExportSplit::summary() const
{
    if (m_frames == 0)
        return {};
    const double frames = static_cast<double>(m_frames);
    char lines[3][240];
    std::snprintf(lines[0], sizeof lines[0], "video: %ld frames in %.1f s, %.1f ms a frame (%.1f frames a second)",
                  m_frames, m_wall / 1e3, m_wall / frames, frames * 1e3 / m_wall);
    std::snprintf(lines[1], sizeof lines[1],
                  "  drawing thread, ms a frame: drawing %.1f, reading back %.1f, waiting for the encoder %.1f",
                  m_drawing / frames, m_readingBack / frames, m_waiting / frames);
    std::snprintf(lines[2], sizeof lines[2],
                  "  encoder, ms a frame: taking frames from the pipe %.1f (wall, beside the drawing), "
                  "ffmpeg's CPU %.1f (all cores); ffmpeg's peak memory %.0f MiB",
                  m_feeding / frames, m_encoderCpu / frames, m_encoderPeakMiB);
    return {lines[0], lines[1], lines[2]};
}
