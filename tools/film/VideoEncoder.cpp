#include "VideoEncoder.hpp"

#include "EncoderSettings.hpp"
#include "ExportJobs.hpp"
#include "FramePixels.hpp"
#include "ShellWord.hpp"
#include "StopSignals.hpp"
#include "TemporaryFile.hpp"
#include "ToolNumbers.hpp"
#include "VideoParts.hpp"

#include "core/Diagnostics.hpp"

#include <algorithm>
#include <climits>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
const std::string kName = "drennmoor-film: ";

bool onPath(const std::string& program)
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && access((folder + "/" + program).c_str(), X_OK) == 0)
            return true;
    return false;
}

// The largest resident memory of any finished child process, ffmpeg's.
double childrenPeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

double childrenCpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

std::string duration(double value)
{
    const long whole = std::max(0L, std::lround(value));
    return whole >= 60 ? std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s"
                       : std::to_string(whole) + " s";
}
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
{
}

VideoEncoder::~VideoEncoder()
{
    // An encoder still running was stopped half-way: its file is no video. Killed first, so
    // that the feed's writes fail at once instead of waiting for it.
    m_encoder.stop(SIGKILL);
    m_feed.reset();
    m_encoder.closeInput();
    if (!m_log.empty())
        std::remove(m_log.c_str());
    std::remove(m_partPath.c_str());
    std::remove(m_captionedPath.c_str());
}

bool VideoEncoder::open()
{
    if (!onPath("ffmpeg")) {
        reportLine(kName + "ffmpeg is not on PATH; install it (Debian: apt-get install ffmpeg) to write video");
        return false;
    }
    if (!m_options.pictureOnly && !m_song.read())
        return false;
    m_log = makeTemporaryFile("drennmoor-ffmpeg-");
    if (m_log.empty()) {
        reportLine(kName + "cannot make a temporary file for ffmpeg's messages");
        return false;
    }
    if (!drawsFrames())
        return true;
    // A dead ffmpeg must fail the write, not kill the renderer.
    std::signal(SIGPIPE, SIG_IGN);
    m_encoderCpu = childrenCpuMilliseconds();
    if (!m_encoder.startShell(encodeCommand(), SIGKILL, true)) {
        reportLine(kName + "cannot start ffmpeg");
        return false;
    }
    m_feed = std::make_unique<EncoderFeed>(m_encoder.input(), kFrameBytes);
    return true;
}

bool VideoEncoder::wants(long frame) const
{
    return frame >= m_first && frame < m_end;
}

std::uint8_t* VideoEncoder::nextFrame()
{
    if (m_added == 0)
        m_started = m_lastReport = std::chrono::steady_clock::now();
    return m_feed->nextBuffer();
}

bool VideoEncoder::send()
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_feed->send())
        return false;
    ++m_added;
    if (now - m_lastReport >= std::chrono::seconds(1)) {
        m_lastReport = now;
        reportProgress();
    }
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
    if (!m_encoder.running())
        return false;
    m_feed->finish();
    m_encoder.closeInput();
    int status = 0;
    if (!m_encoder.wait(status))
        return false;
    m_encoderCpu = childrenCpuMilliseconds() - m_encoderCpu;
    m_encoderPeakMiB = childrenPeakMiB();
    return succeeded(status);
}

bool VideoEncoder::joinParts(long endFrame)
{
    const long end = std::min(m_end, endFrame);
    if (end <= m_first)
        return true;  // nothing to draw: finish says so
    VideoParts parts(m_options, m_frames, static_cast<int>(std::min<long>(m_processes, end - m_first)));
    if (!parts.render(m_first, end))
        return false;
    if (!run(joinCommand(parts.list(), end - m_first)))
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

bool VideoEncoder::succeeded(int status) const
{
    if (exitedCleanly(status))
        return true;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    reportLine(kName + "ffmpeg failed (exit " + std::to_string(code) + "): " + lastLogLine());
    return false;
}

bool VideoEncoder::addSubtitles(const std::string& subtitles)
{
    return run(subtitleCommand(subtitles));
}

bool VideoEncoder::run(const std::string& command) const
{
    ChildProcess ffmpeg;
    int status = 0;
    if (!ffmpeg.startShell(command, SIGKILL)) {
        reportLine(kName + "cannot start ffmpeg");
        return false;
    }
    return ffmpeg.wait(status) && succeeded(status);
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
    line << length << " -f mp4 " << shellWord(m_partPath) << " 2>" << shellWord(m_log);
    return line.str();
}

std::string VideoEncoder::joinCommand(const std::string& list, long frames) const
{
    const double start = startTime();
    return "ffmpeg -hide_banner -loglevel error -nostdin -y -f concat -safe 0 -i " + shellWord(list) +
           m_song.input(start) + " -map 0:v:0 -map 1:a:0 -c:v copy -af " + m_song.filter(start) +
           " -c:a aac -b:a 192k -t " + sixDecimals(static_cast<double>(frames) / m_fps) + " -f mp4 " +
           shellWord(m_partPath) + " 2>" + shellWord(m_log);
}

std::string VideoEncoder::subtitleCommand(const std::string& subtitles) const
{
    return "ffmpeg -hide_banner -loglevel error -nostdin -y -i " + shellWord(m_partPath) + " -f webvtt -i " +
           shellWord(subtitles) + " -map 0 -map 1:s -c copy -c:s mov_text -metadata:s:s:0 language=eng" +
           " -movflags +faststart -f mp4 " + shellWord(m_captionedPath) + " 2>" + shellWord(m_log);
}

void VideoEncoder::reportProgress()
{
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - m_started;
    const long expected = std::max(m_expected, m_added);
    const double left = spent.count() / static_cast<double>(m_added) * static_cast<double>(expected - m_added);
    // Each of several processes drawing parts of one video names its own.
    const std::string what = m_options.pictureOnly ? "frames from " + std::to_string(m_first) + ": " : std::string("video ");
    reportLine(kName + what + std::to_string(100 * m_added / std::max(1L, expected)) + "% (" +
               std::to_string(m_added) + " of " + std::to_string(expected) + " frames), about " + duration(left) +
               " left");
}

std::string VideoEncoder::lastLogLine() const
{
    std::ifstream in(m_log);
    std::string line;
    std::string last = "no message";
    while (std::getline(in, line))
        if (!line.empty())
            last = line;
    return last;
}
