#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// Hands finished frames to the encoder's pipe on a thread of its own, so that the next frame
// is drawn while the encoder takes this one. It owns two frame buffers, made once: while one
// is being written to the pipe the other is filled, and the drawing waits only when the
// encoder is two frames behind.
class EncoderFeed {
public:
    // Writes to the file descriptor `pipe` (not closed here); `frameBytes` per frame.
    EncoderFeed(int pipe, std::size_t frameBytes);
    ~EncoderFeed();
    EncoderFeed(const EncoderFeed&) = delete;
    EncoderFeed& operator=(const EncoderFeed&) = delete;

    // The buffer to fill with the next frame; waits while both are still queued for the pipe.
    std::uint8_t* nextBuffer();
    // Queues the buffer that nextBuffer gave. False once a write has failed (the encoder
    // ended): later frames are dropped.
    bool send();
    // Waits until every queued frame is written and ends the thread. False when a write failed.
    bool finish();

    // Milliseconds the caller waited in nextBuffer, and the thread spent writing to the pipe
    // (the encoder taking frames), in all.
    double waitedMilliseconds() const { return m_waited; }
    double writingMilliseconds() const { return m_writing; }

private:
    void writeFrames();
    bool writeAll(const std::uint8_t* data, std::size_t size) const;

    int m_pipe;
    std::vector<std::uint8_t> m_buffers[2];
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_next = 0;        // the buffer the caller fills next
    int m_queued = 0;      // buffers sent and not yet written, oldest at m_next + m_queued
    bool m_stop = false;
    bool m_failed = false;
    double m_waited = 0.0;
    double m_writing = 0.0;
    std::thread m_thread;  // last: it starts once everything above exists
};
