#include "VideoParts.hpp"

#include "ShellWord.hpp"
#include "StopSignals.hpp"
#include "ToolNumbers.hpp"

#include "core/Diagnostics.hpp"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <fstream>
#include <thread>

namespace {
const std::string kName = "drennmoor-film: ";
// How often the wait for the processes looks at them and for a stop signal.
constexpr std::chrono::milliseconds kLookEvery(20);
}

VideoParts::VideoParts(const FilmOptions& options, const FilmFrames& frames, int count)
    : m_options(options)
    , m_frames(frames)
    , m_list(options.video + ".parts")
    , m_running(static_cast<std::size_t>(count))
{
    for (int part = 1; part <= count; ++part)
        m_paths.push_back(options.video + ".part" + std::to_string(part) + ".mp4");
}

VideoParts::~VideoParts()
{
    stopAll();
    for (const std::string& path : m_paths)
        std::remove(path.c_str());
    std::remove(m_list.c_str());
}

bool VideoParts::render(long first, long end)
{
    const long count = static_cast<long>(m_paths.size());
    m_firsts.clear();
    for (long part = 0; part <= count; ++part)
        m_firsts.push_back(first + (end - first) * part / count);
    for (std::size_t part = 0; part < m_paths.size(); ++part)
        if (!start(part, m_firsts[part], m_firsts[part + 1])) {
            stopAll();
            return false;
        }
    // Looked at as they end, so that a failure or a stop signal stops the others at once.
    for (std::size_t left = m_running.size(); left > 0;) {
        if (stopRequested()) {
            stopAll();
            return false;
        }
        for (std::size_t part = 0; part < m_running.size(); ++part) {
            int status = 0;
            if (!m_running[part].ended(status))
                continue;
            --left;
            if (!exitedCleanly(status)) {
                reportLine(kName + "the process drawing frames " + std::to_string(m_firsts[part]) + " to " +
                           std::to_string(m_firsts[part + 1] - 1) + " failed");
                stopAll();
                return false;
            }
        }
        std::this_thread::sleep_for(kLookEvery);
    }
    if (!writeList()) {
        reportLine(kName + "Unable to write " + m_list);
        return false;
    }
    return true;
}

bool VideoParts::start(std::size_t part, long first, long end)
{
    // This very program, wherever it was started from; the game folder is the current one.
    std::vector<std::string> words = {"/proc/self/exe",
                                      "--video", m_paths[part],
                                      "--picture-only", "--part",
                                      "--fps", std::to_string(m_frames.fps()),
                                      "--quality", qualityName(m_options.quality),
                                      "--codec", codecName(m_options.codec)};
    // The exact times of the frames, which read back as those frames. The lead-in's frame 0
    // comes before any time a command line takes, and the film's quit after: a process
    // drawing from the one or to the other starts or ends where the film does.
    if (m_frames.timeOf(first) >= FilmFrames::kStart)
        words.insert(words.end(), {"--from", sixDecimals(m_frames.timeOf(first))});
    if (m_frames.timeOf(end) <= FilmFrames::kEnd)
        words.insert(words.end(), {"--until", sixDecimals(m_frames.timeOf(end))});
    // It stops when this process ends, however it ends, and removes its part and its
    // temporary file then. The poem's lines that the film echoes on standard output come
    // once, from this process.
    if (!m_running[part].start(words, SIGTERM, false, true)) {
        reportLine(kName + "cannot start a process to draw frames " + std::to_string(first) + " to " +
                   std::to_string(end - 1));
        return false;
    }
    return true;
}

bool VideoParts::writeList() const
{
    std::ofstream out(m_list, std::ios::binary);
    out << "ffconcat version 1.0\n";
    for (std::size_t part = 0; part < m_paths.size(); ++part) {
        // The exact length, so that the next part starts on the frame's own time, not on the
        // length the container rounds to.
        const double duration = static_cast<double>(m_firsts[part + 1] - m_firsts[part]) / m_frames.fps();
        // The list quotes a path as the shell does.
        out << "file " << shellWord(m_paths[part]) << "\nduration " << sixDecimals(duration) << '\n';
    }
    return static_cast<bool>(out.flush());
}

void VideoParts::stopAll()
{
    // Asked to stop, each removes what it made.
    for (ChildProcess& child : m_running)
        child.stop(SIGTERM);
}
