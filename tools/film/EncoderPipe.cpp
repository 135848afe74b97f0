#include "EncoderPipe.hpp"

#include "core/Diagnostics.hpp"

#include <sys/resource.h>

#include <csignal>

namespace {
// The largest resident memory of any finished child process, the encoder's.
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
}

EncoderPipe::~EncoderPipe()
{
    // Killed first, so that the feed's writes fail at once instead of waiting for it.
    m_encoder.stop(SIGKILL);
    m_feed.reset();
    m_encoder.closeInput();
}

bool EncoderPipe::start(const std::string& command, std::size_t frameBytes)
{
    std::signal(SIGPIPE, SIG_IGN);
    m_cpu = childrenCpuMilliseconds();
    if (!m_encoder.startShell(command, SIGKILL, true)) {
        reportLine("drennmoor-film: cannot start ffmpeg");
        return false;
    }
    m_feed = std::make_unique<EncoderFeed>(m_encoder.input(), frameBytes);
    return true;
}

bool EncoderPipe::finish(int& status)
{
    if (!m_encoder.running())
        return false;
    m_feed->finish();
    m_encoder.closeInput();
    if (!m_encoder.wait(status))
        return false;
    m_cpu = childrenCpuMilliseconds() - m_cpu;
    m_peakMiB = childrenPeakMiB();
    return true;
}
