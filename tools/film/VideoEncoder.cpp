#include "VideoEncoder.hpp"

#include "FramePixels.hpp"
#include "ShellWord.hpp"

#include "assets/JsonValues.hpp"
#include "core/Diagnostics.hpp"
#include "scenes/RequiredKeys.hpp"

#include <nlohmann/json.hpp>

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
const char* const kMusicFile = "assets/music.json";
// The film quits about this long after T = 0; only the estimate of the time left uses it.
constexpr double kFilmSeconds = 200.0;

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

std::string seconds(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

// x264's settings for each quality, chosen by measuring this film on two cores (the README's
// film renderer section has the table): time, size, and SSIM against the drawn frames.
struct X264Settings {
    const char* preset;
    int crf;
};
X264Settings x264Settings(VideoQuality quality)
{
    switch (quality) {
    case VideoQuality::Draft: return {"ultrafast", 23};
    case VideoQuality::Final: return {"superfast", 12};
    default: return {"superfast", 14};
    }
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
    : m_path(options.video)
    , m_partPath(options.video + ".part")
    , m_quality(options.quality)
    , m_fps(frames.fps())
    , m_first(options.hasFrom ? frames.frameAt(options.from) : 0)
    , m_end(options.hasUntil ? frames.frameAt(options.until) : LONG_MAX)
    , m_expected((options.hasUntil ? m_end : frames.frameAt(kFilmSeconds)) - m_first)
    , m_leadIn(frames.leadInFrames())
{
}

VideoEncoder::~VideoEncoder()
{
    m_feed.reset();
    if (m_pipe != nullptr)
        pclose(m_pipe);
    if (!m_log.empty())
        std::remove(m_log.c_str());
    std::remove(m_partPath.c_str());
}

bool VideoEncoder::open()
{
    if (!onPath("ffmpeg")) {
        reportLine(kName + "ffmpeg is not on PATH; install it (Debian: apt-get install ffmpeg) to write video");
        return false;
    }
    std::string song;
    double gain = 1.0;
    if (!readSong(song, gain))
        return false;
    char log[] = "/tmp/drennmoor-ffmpeg-XXXXXX";
    const int descriptor = mkstemp(log);
    if (descriptor < 0) {
        reportLine(kName + "cannot make a temporary file for ffmpeg's messages");
        return false;
    }
    close(descriptor);
    m_log = log;
    // A dead ffmpeg must fail the write, not kill the renderer.
    std::signal(SIGPIPE, SIG_IGN);
    m_encoderCpu = childrenCpuMilliseconds();
    m_pipe = popen(encodeCommand(song, gain).c_str(), "w");
    if (m_pipe == nullptr) {
        reportLine(kName + "cannot start ffmpeg");
        return false;
    }
    m_feed = std::make_unique<EncoderFeed>(fileno(m_pipe), kFrameBytes);
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

bool VideoEncoder::finish()
{
    if (m_pipe == nullptr)
        return false;
    m_feed->finish();
    const int status = pclose(m_pipe);
    m_pipe = nullptr;
    m_encoderCpu = childrenCpuMilliseconds() - m_encoderCpu;
    if (!succeeded(status))
        return false;
    if (m_added == 0) {
        reportLine(kName + "no frame of the film falls in the range; nothing written to " + m_path);
        return false;
    }
    char length[64];
    std::snprintf(length, sizeof length, " frames (%.2f s at %d fps)", static_cast<double>(m_added) / m_fps, m_fps);
    reportLine(kName + "wrote " + std::to_string(m_added) + length + " with the song to " + m_path);
    return true;
}

bool VideoEncoder::succeeded(int status) const
{
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    reportLine(kName + "ffmpeg failed (exit " + std::to_string(code) + "): " + lastLogLine());
    return false;
}

bool VideoEncoder::addSubtitles(const std::string& subtitles)
{
    return succeeded(std::system(subtitleCommand(subtitles).c_str()));
}

double VideoEncoder::startTime() const
{
    return static_cast<double>(m_first - m_leadIn) / m_fps;
}

std::string VideoEncoder::encodeCommand(const std::string& song, double gain) const
{
    const double start = startTime();
    std::string audioFilter;
    if (start < 0.0)
        audioFilter = "adelay=delays=" + seconds(-start * 1000.0) + ":all=1,";
    audioFilter += "volume=" + seconds(gain) + ",apad";
    const std::string length = m_end == LONG_MAX ? std::string("-shortest")
                                                 : "-t " + seconds(static_cast<double>(m_end - m_first) / m_fps);
    const X264Settings x264 = x264Settings(m_quality);
    std::ostringstream line;
    line << "ffmpeg -hide_banner -loglevel error -y"
         << " -f rawvideo -pix_fmt rgba -s " << kScreenWidth << 'x' << kScreenHeight << " -r " << m_fps << " -i -"
         << (start > 0.0 ? " -ss " + seconds(start) : std::string()) << " -i " << shellWord(song)
         << " -map 0:v:0 -map 1:a:0"
         // The rows arrive bottom up, as OpenGL reads them back.
         << " -vf vflip,scale=out_color_matrix=bt709 -c:v libx264 -pix_fmt yuv420p -preset " << x264.preset
         << " -crf " << x264.crf
         << " -colorspace bt709 -color_primaries bt709 -color_trc bt709"
         << " -af " << audioFilter << " -c:a aac -b:a 192k " << length << " -f mp4 " << shellWord(m_partPath)
         << " 2>" << shellWord(m_log);
    return line.str();
}

std::string VideoEncoder::subtitleCommand(const std::string& subtitles) const
{
    return "ffmpeg -hide_banner -loglevel error -nostdin -y -i " + shellWord(m_partPath) + " -f webvtt -i " +
           shellWord(subtitles) + " -map 0 -map 1:s -c copy -c:s mov_text -metadata:s:s:0 language=eng" +
           " -movflags +faststart -f mp4 " + shellWord(m_path) + " 2>" + shellWord(m_log);
}

bool VideoEncoder::readSong(std::string& file, double& gain) const
{
    std::ifstream in(kMusicFile);
    const nlohmann::json document = nlohmann::json::parse(in, nullptr, false);
    const nlohmann::json* entry = nullptr;
    if (document.is_object() && document.contains("music") && document["music"].is_object() &&
        document["music"].contains(kSongKey))
        entry = &document["music"][kSongKey];
    if (entry == nullptr || !entry->is_object() || !entry->contains("file") || !(*entry)["file"].is_string()) {
        reportLine(kName + kMusicFile + " declares no file for " + kSongKey + "; cannot write the video's sound");
        return false;
    }
    file = (*entry)["file"].get<std::string>();
    // The game's own reading of the volume: a whole percentage, 37.9 plays as 37.
    try {
        gain = jsonIntOr(*entry, "volume", 100) / 100.0;
    } catch (const nlohmann::json::exception&) {
        gain = 1.0;
    }
    if (access(file.c_str(), R_OK) != 0) {
        reportLine(kName + "cannot read the song " + file);
        return false;
    }
    return true;
}

void VideoEncoder::reportProgress()
{
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - m_started;
    const long expected = std::max(m_expected, m_added);
    const double left = spent.count() / static_cast<double>(m_added) * static_cast<double>(expected - m_added);
    reportLine(kName + "video " + std::to_string(100 * m_added / std::max(1L, expected)) + "% (" +
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
