#include "VideoEncoder.hpp"

#include "EncoderSettings.hpp"
#include "ExportJobs.hpp"
#include "FfmpegSearch.hpp"
#include "FramePixels.hpp"
#include "ShellWord.hpp"
#include "StopSignals.hpp"
#include "SubtitleTrack.hpp"
#include "ToolNumbers.hpp"
#include "VideoParts.hpp"

#include "core/Diagnostics.hpp"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <sstream>

namespace {
const std::string kName = "drennmoor-film: ";
}

VideoEncoder::VideoEncoder(const FilmOptions& options, const FilmFrames& frames)
    : m_options(options)
    , m_frames(frames)
    , m_path(options.video)
    // Everything is made under names of its own beside the video, which takes its final name
    // only once it is whole.
    , m_partPath(options.video + ".part")
    , m_captionedPath(options.video + ".captioned.part")
    , m_fps(frames.fps())
    , m_first(options.hasFrom ? frames.frameAt(options.from) : 0)
    , m_end(options.hasUntil ? frames.frameAt(options.until) : LONG_MAX)
    // The film quits a few frames after its end by the table; only the estimate of the time
    // left uses this.
    , m_expected((options.hasUntil ? m_end : frames.frameAt(FilmFrames::kEnd)) - m_first)
    , m_leadIn(frames.leadInFrames())
    , m_processes(options.pictureOnly ? 1 : exportProcesses(options.jobs, m_expected, m_fps, thisMachine()))
    // Each of several processes drawing parts of one video names its own.
    , m_progress(options.pictureOnly ? "frames from " + std::to_string(m_first) + ": " : std::string("video "),
                 m_expected)
{
}

VideoEncoder::~VideoEncoder()
{
    // An encoder still running was stopped half-way: its file is no video.
    m_encoder.reset();
    std::remove(m_partPath.c_str());
    std::remove(m_captionedPath.c_str());
}

bool VideoEncoder::open()
{
    if (!ffmpegOnPath())
        return false;
    if (!m_options.pictureOnly && !m_song.read())
        return false;
    if (!m_ffmpeg.open())
        return false;
    if (!drawsFrames())
        return true;
    m_encoder = std::make_unique<EncoderPipe>();
    return m_encoder->start(encodeCommand(), kFrameBytes);
}

bool VideoEncoder::wants(long frame) const
{
    return frame >= m_first && frame < m_end;
}

std::uint8_t* VideoEncoder::nextFrame()
{
    if (m_added == 0)
        m_progress.start();
    return m_encoder->nextBuffer();
}

bool VideoEncoder::send()
{
    const auto now = ExportProgress::Clock::now();
    if (!m_encoder->send())
        return false;
    ++m_added;
    m_progress.sent(m_added, now);
    return true;
}

bool VideoEncoder::finish(long endFrame)
{
    if (!(drawsFrames() ? finishEncoding() : joinParts(endFrame)))
        return false;
    if (m_added == 0) {
        reportLine(kName + "no frame of the film falls in the range; nothing written to " + m_path);
        return false;
    }
    return true;
}

bool VideoEncoder::publish(const std::string& captionsMade, const std::string& captions)
{
    if (stopRequested())
        return false;
    // Back to back, so that the video and its captions change together.
    const std::string& made = m_options.pictureOnly ? m_partPath : m_captionedPath;
    if (std::rename(made.c_str(), m_path.c_str()) != 0 ||
        (!captionsMade.empty() && std::rename(captionsMade.c_str(), captions.c_str()) != 0)) {
        reportLine(kName + "Unable to write " + m_path);
        return false;
    }
    reportWritten();
    return true;
}

bool VideoEncoder::finishEncoding()
{
    int status = 0;
    return m_encoder && m_encoder->finish(status) && m_ffmpeg.succeeded(status);
}

bool VideoEncoder::joinParts(long endFrame)
{
    const long end = std::min(m_end, endFrame);
    if (end <= m_first)
        return true;  // nothing to draw: finish says so
    VideoParts parts(m_options, m_frames, static_cast<int>(std::min<long>(m_processes, end - m_first)));
    if (!parts.render(m_first, end))
        return false;
    if (!m_ffmpeg.run(joinCommand(parts.list(), end - m_first)))
        return false;
    m_added = end - m_first;
    return true;
}

void VideoEncoder::reportWritten() const
{
    char length[64];
    std::snprintf(length, sizeof length, " frames (%.2f s at %d fps)", static_cast<double>(m_added) / m_fps, m_fps);
    std::string how = m_options.pictureOnly ? " without sound" : " with the song";
    if (!drawsFrames())
        how += ", drawn by " + std::to_string(m_processes) + " processes at once,";
    reportLine(kName + "wrote " + std::to_string(m_added) + length + how + " to " + m_path);
}

bool VideoEncoder::addSubtitles(const std::string& subtitles)
{
    return m_ffmpeg.run(subtitleTrackCommand(m_partPath, subtitles, m_captionedPath) + m_ffmpeg.messagesTo());
}

double VideoEncoder::startTime() const
{
    return static_cast<double>(m_first - m_leadIn) / m_fps;
}

std::string VideoEncoder::encodeCommand() const
{
    const double start = startTime();
    const std::string length = m_end == LONG_MAX ? std::string(m_options.pictureOnly ? "" : " -shortest")
                                                 : " -t " + sixDecimals(static_cast<double>(m_end - m_first) / m_fps);
    std::ostringstream line;
    line << "ffmpeg -hide_banner -loglevel error -y"
         << " -f rawvideo -pix_fmt rgba -s " << kScreenWidth << 'x' << kScreenHeight << " -r " << m_fps << " -i -";
    if (!m_options.pictureOnly)
        line << m_song.input(start) << " -map 0:v:0 -map 1:a:0";
    // The rows arrive bottom up, as OpenGL reads them back.
    line << " -vf vflip,scale=out_color_matrix=bt709" << videoCodecArguments(m_options.codec, m_options.quality, m_fps)
         << " -colorspace bt709 -color_primaries bt709 -color_trc bt709";
    if (!m_options.pictureOnly)
        line << " -af " << m_song.filter(start) << " -c:a aac -b:a 192k";
    line << length << " -f mp4 " << shellWord(m_partPath) << m_ffmpeg.messagesTo();
    return line.str();
}

std::string VideoEncoder::joinCommand(const std::string& list, long frames) const
{
    const double start = startTime();
    return "ffmpeg -hide_banner -loglevel error -nostdin -y -f concat -safe 0 -i " + shellWord(list) +
           m_song.input(start) + " -map 0:v:0 -map 1:a:0 -c:v copy -af " + m_song.filter(start) +
           " -c:a aac -b:a 192k -t " + sixDecimals(static_cast<double>(frames) / m_fps) + " -f mp4 " +
           shellWord(m_partPath) + m_ffmpeg.messagesTo();
}
