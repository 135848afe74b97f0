#include "FilmRecorder.hpp"

#include "FramePicture.hpp"
#include "FramePixels.hpp"
#include "StopSignals.hpp"
#include "TemporaryFile.hpp"
#include "ToolNumbers.hpp"

#include "assets/MusicManager.hpp"
#include "core/Diagnostics.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"
#include "scenes/RequiredKeys.hpp"
#include "text/TextManager.hpp"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {
const std::string kName = "drennmoor-film: ";

bool writeText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out.flush());
}
}

FilmRecorder::FilmRecorder(const FilmOptions& options)
    : m_options(options)
    , m_frames(options.fps)
{
    planCaptures();
    if (!m_options.video.empty())
        m_video = std::make_unique<VideoEncoder>(m_options, m_frames);
}

bool FilmRecorder::run()
{
    if (m_video && !m_video->open())
        return false;
    MusicManager::instance().mute();
    m_window.create(kScreenWidth, kScreenHeight);
    if (!game().loadContent())
        return false;
    if (m_video && !m_options.pictureOnly) {
        TextManager& texts = TextManager::instance();
        m_captions = std::make_unique<Captions>(texts.contains(kPoemStyleKey) ? texts.get(kPoemStyleKey) : nullptr,
                                                m_options.fps, m_video->firstFrame());
    }

    const auto start = std::chrono::steady_clock::now();
    const long last = lastFrame();
    bool written = true;
    long frame = 0;
    for (; game().running && frame <= last && written && !stopRequested(); ++frame)
        written = playFrame(frame);
    if (stopRequested())
        return false;  // the caller says so; what was made goes with this object
    if (m_video)
        written = finishVideo(frame) && written;
    if (stopRequested())
        return false;
    // For the summary, also when other processes drew the frames.
    m_videoFrames = m_video ? m_video->framesSent() : 0;
    m_split.setWall(std::chrono::steady_clock::now() - start);

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
           drawsForVideo(frame);
}

bool FilmRecorder::drawsForVideo(long frame) const
{
    return m_video && m_video->drawsFrames() && m_video->wants(frame);
}

bool FilmRecorder::finishVideo(long endFrame)
{
    if (m_captions)
        m_captions->close(endFrame);
    const bool encoded = m_video->finish(endFrame);
    m_split.setEncoder(*m_video);
    if (!encoded || !m_captions)
        return encoded && m_video->publish();
    // The captions file takes its name with the video's, once both are whole.
    const std::string captions = std::filesystem::path(m_options.video).replace_extension(".vtt").string();
    const std::string captionsMade = captions + ".part";
    if (!writeText(captionsMade, m_captions->webVtt())) {
        std::remove(captionsMade.c_str());
        reportLine(kName + "Unable to write " + captions);
        return false;
    }
    // The MP4's track shows one caption at a time, so it gets the cues cut where they overlap.
    const std::string track = makeTemporaryFile("drennmoor-captions-");
    const bool written =
        !track.empty() && writeText(track, m_captions->singleTrackVtt()) && m_video->addSubtitles(track);
    if (!track.empty())
        std::remove(track.c_str());
    const bool published = written && m_video->publish(captionsMade, captions);
    std::remove(captionsMade.c_str());
    if (published)
        reportLine(kName + "wrote " + std::to_string(m_captions->size()) + " captions to " + captions +
                   " and to the video's subtitle track");
    return published;
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
    // The captions read the poem's letters, which an undrawn frame leaves as a drawn one.
    if (m_captions && m_video->wants(frame))
        m_captions->observe(frame);
    if ((frame - m_frames.leadInFrames()) % m_options.fps == 0 && !m_options.pictureOnly)
        reportLine(kName + "T " + std::to_string(std::lround(m_frames.timeOf(frame))) + " s, scene " +
                   std::to_string(sceneId) + ", frame " + std::to_string(frame));
    if (!drawn)
        return true;

    // One read-back, into the encoder's next buffer or the one kept for stills.
    const bool inVideo = drawsForVideo(frame);
    if (!inVideo && m_still.empty())
        m_still.resize(kFrameBytes);
    std::uint8_t* pixels = inVideo ? m_video->nextFrame() : m_still.data();
    const auto readStart = std::chrono::steady_clock::now();
    readBack(m_window, pixels);
    const std::chrono::duration<double, std::milli> read = std::chrono::steady_clock::now() - readStart;
    if (inVideo)
        m_split.addFrame(took.count(), read.count());

    bool written = true;
    for (; m_nextCapture < m_captures.size() && m_captures[m_nextCapture].frame == frame; ++m_nextCapture)
        written = capture(m_captures[m_nextCapture], pixels) && written;
    if (m_options.every > 0.0 && frame == m_frames.frameAt(m_nextEvery * m_options.every)) {
        written = capture({frame, m_nextEvery * m_options.every}, pixels) && written;
        ++m_nextEvery;
    }
    if (inVideo)
        written = m_video->send() && written;
    return written;
}

bool FilmRecorder::capture(const Capture& wanted, const std::uint8_t* pixels)
{
    if (!m_options.sheet.empty()) {
        m_sheet.add(pixels);
        return true;
    }
    const std::string path = m_options.outDir + "/" + frameFileName(wanted.time);
    if (!opaqueImage(pixels).saveToFile(path)) {
        reportLine(kName + "Unable to write " + path);
        return false;
    }
    ++m_written;
    return true;
}

void FilmRecorder::report() const
{
    if (m_written > 0)
        reportLine(kName + "wrote " + std::to_string(m_written) + " frames to " + m_options.outDir);
    reportLine(kName + "milliseconds per frame, " + std::to_string(m_options.fps) + " fps:");
    for (const std::string& line : m_stats.summary())
        reportLine(kName + "  " + line);
    if (m_video && m_video->drawsFrames())
        for (const std::string& line : m_split.summary())
            reportLine(kName + line);
    if (m_video && !m_video->drawsFrames()) {
        char line[160];
        std::snprintf(line, sizeof line, "video: %ld frames in %.1f s, drawn by %d processes at once", m_videoFrames,
                      m_split.wallSeconds(), m_video->processes());
        reportLine(kName + line);
    }
    char memory[64];
    std::snprintf(memory, sizeof memory, "peak memory %.1f MiB", peakMemoryMiB());
    reportLine(kName + memory);
}
