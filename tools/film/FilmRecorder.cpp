#include "FilmRecorder.hpp"

#include "FramePicture.hpp"
#include "ToolNumbers.hpp"

#include "assets/MusicManager.hpp"
#include "core/Diagnostics.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>

namespace {
const std::string kName = "drennmoor-film: ";
}

FilmRecorder::FilmRecorder(const FilmOptions& options)
    : m_options(options)
    , m_frames(options.fps)
{
    planCaptures();
    if (!m_options.video.empty())
        m_video = std::make_unique<VideoEncoder>(m_options, m_frames.leadInFrames());
}

bool FilmRecorder::run()
{
    if (m_video && !m_video->open())
        return false;
    MusicManager::instance().mute();
    m_window.create(kScreenWidth, kScreenHeight);
    if (!game().loadContent())
        return false;

    const long last = lastFrame();
    bool written = true;
    for (long frame = 0; game().running && frame <= last && written; ++frame)
        written = playFrame(frame);
    if (m_video)
        written = m_video->finish() && written;

    if (written && !m_options.sheet.empty()) {
        written = m_sheet.save(m_options.sheet);
        if (!written)
            reportLine(kName + "Unable to write " + m_options.sheet);
        else
            reportLine(kName + "wrote a sheet of " + std::to_string(m_sheet.size()) + " frames to " +
                       m_options.sheet);
    }
    report();
    return written;
}

void FilmRecorder::planCaptures()
{
    for (double time : m_options.at)
        m_captures.push_back({m_frames.frameAt(time), time});
    std::stable_sort(m_captures.begin(), m_captures.end(),
                     [](const Capture& a, const Capture& b) { return a.frame < b.frame; });
}

long FilmRecorder::lastFrame() const
{
    if (m_options.hasUntil)
        return m_frames.frameAt(m_options.until);
    if (m_options.every > 0.0 || m_captures.empty() || m_video)
        return LONG_MAX;  // until the film quits
    return m_captures.back().frame;
}

bool FilmRecorder::wantsPicture(long frame) const
{
    return (m_nextCapture < m_captures.size() && m_captures[m_nextCapture].frame == frame) ||
           (m_options.every > 0.0 && frame == m_frames.frameAt(m_nextEvery * m_options.every)) ||
           (m_video && m_video->wants(frame));
}

bool FilmRecorder::playFrame(long frame)
{
    const int sceneId = game().sceneId;
    const bool drawn = wantsPicture(frame);
    const auto start = std::chrono::steady_clock::now();
    if (drawn) {
        game().frame(m_frames.dt(), m_window);
        m_window.display();
        // Wait for the picture itself, so that the time is the frame's whole cost.
        m_window.setActive(true);
        glFinish();
    } else {
        // A frame nobody sees: the same state afterwards, for a fraction of the time.
        game().advance(m_frames.dt());
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    m_stats.add(drawn ? sceneId : FrameStats::kUndrawn, took.count());

    if (sceneId == -1 && game().sceneId == 0 && frame + 1 != m_frames.leadInFrames())
        reportLine(kName + "the opening began on frame " + std::to_string(frame + 1) + ", not " +
                   std::to_string(m_frames.leadInFrames()) + ": times are off");
    if ((frame - m_frames.leadInFrames()) % m_options.fps == 0)
        reportLine(kName + "T " + std::to_string(std::lround(m_frames.timeOf(frame))) + " s, scene " +
                   std::to_string(sceneId) + ", frame " + std::to_string(frame));
    if (!drawn)
        return true;

    bool written = true;
    for (; m_nextCapture < m_captures.size() && m_captures[m_nextCapture].frame == frame; ++m_nextCapture)
        written = capture(m_captures[m_nextCapture]) && written;
    if (m_options.every > 0.0 && frame == m_frames.frameAt(m_nextEvery * m_options.every)) {
        written = capture({frame, m_nextEvery * m_options.every}) && written;
        ++m_nextEvery;
    }
    if (m_video && m_video->wants(frame))
        written = m_video->add(opaqueFrame()) && written;
    return written;
}

bool FilmRecorder::capture(const Capture& wanted)
{
    const sf::Image picture = opaqueFrame();
    if (!m_options.sheet.empty()) {
        m_sheet.add(picture);
        return true;
    }
    const std::string path = m_options.outDir + "/" + frameFileName(wanted.time);
    if (!picture.saveToFile(path)) {
        reportLine(kName + "Unable to write " + path);
        return false;
    }
    ++m_written;
    return true;
}

sf::Image FilmRecorder::opaqueFrame() const
{
    // What the window would show: the same pixels with nothing behind them.
    return ::opaqueFrame(m_window.getTexture());
}

void FilmRecorder::report() const
{
    if (m_written > 0)
        reportLine(kName + "wrote " + std::to_string(m_written) + " frames to " + m_options.outDir);
    reportLine(kName + "milliseconds per frame, " + std::to_string(m_options.fps) + " fps:");
    for (const std::string& line : m_stats.summary())
        reportLine(kName + "  " + line);
    char memory[64];
    std::snprintf(memory, sizeof memory, "peak memory %.1f MiB", peakMemoryMiB());
    reportLine(kName + memory);
}
