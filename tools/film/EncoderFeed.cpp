#include "EncoderFeed.hpp"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

namespace {
// A pipe holds 64 KiB unless asked for more: then every frame crosses in 128 pieces, each
// a wake-up of the encoder and of this writer. A mebibyte (an unprivileged process's
// largest) makes that eight.
constexpr int kPipeBytes = 1 << 20;

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void widenPipe(int pipe)
{
#ifdef F_SETPIPE_SZ
    // Where the system refuses, the frames still go through, only in smaller pieces.
    fcntl(pipe, F_SETPIPE_SZ, kPipeBytes);
#else
    (void)pipe;
#endif
}
}

EncoderFeed::EncoderFeed(int pipe, std::size_t frameBytes)
    : m_pipe(pipe)
    , m_buffers{std::vector<std::uint8_t>(frameBytes), std::vector<std::uint8_t>(frameBytes)}
    , m_thread(&EncoderFeed::writeFrames, this)
{
    widenPipe(m_pipe);
}

EncoderFeed::~EncoderFeed()
{
    finish();
}

std::uint8_t* EncoderFeed::nextBuffer()
{
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queued < 2; });
    m_waited += millisecondsSince(start);
    return m_buffers[m_next].data();
}

bool EncoderFeed::send()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_queued;
    m_next ^= 1;
    m_changed.notify_all();
    return !m_failed;
}

bool EncoderFeed::finish()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        m_changed.notify_all();
    }
    if (m_thread.joinable())
        m_thread.join();
    return !m_failed;
}

void EncoderFeed::writeFrames()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_queued > 0 || m_stop; });
        if (m_queued == 0)
            return;  // stopped with nothing left to write
        // The oldest queued buffer: the caller fills only the other one meanwhile.
        const std::vector<std::uint8_t>& frame = m_buffers[m_next ^ (m_queued == 2 ? 0 : 1)];
        const bool failed = m_failed;
        lock.unlock();
        const auto start = std::chrono::steady_clock::now();
        const bool written = failed || writeAll(frame.data(), frame.size());
        const double took = millisecondsSince(start);
        lock.lock();
        m_writing += took;
        m_failed = m_failed || !written;
        --m_queued;
        m_changed.notify_all();
    }
}

bool EncoderFeed::writeAll(const std::uint8_t* data, std::size_t size) const
{
    while (size > 0) {
        const ssize_t wrote = write(m_pipe, data, size);
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return false;
        data += wrote;
        size -= static_cast<std::size_t>(wrote);
    }
    return true;
}
