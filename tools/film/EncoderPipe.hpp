#pragma once

#include "ChildProcess.hpp"
#include "EncoderFeed.hpp"

#include <cstdint>
#include <memory>
#include <string>

// ffmpeg encoding the frames it takes on its standard input, a pipe fed from a thread of its
// own (EncoderFeed). A dead ffmpeg fails the next write instead of killing the renderer.
// An encoder still running when this object goes was stopped half-way and is killed. Neither
// copied nor moved, as the process it runs.
class EncoderPipe {
public:
    ~EncoderPipe();

    // Starts the shell command line `command` (ffmpeg reading frames of `frameBytes` from
    // "-"). False, with one line, when it cannot start.
    bool start(const std::string& command, std::size_t frameBytes);
    bool running() const { return m_encoder.running(); }
    // The buffer to fill with the next frame; may wait for the encoder.
    std::uint8_t* nextBuffer() { return m_feed->nextBuffer(); }
    // Sends the frame written into nextBuffer(). False when the pipe is broken.
    bool send() { return m_feed->send(); }
    // Ends the input and waits for the encoder to end: true with its wait status in
    // `status`; false when it is not running or a stop signal came first.
    bool finish(int& status);

    // Milliseconds in all that the drawing waited for the encoder and the feed spent handing
    // frames over; the encoder's CPU time (every core) and its peak memory once it ended.
    double waitedMilliseconds() const { return m_feed ? m_feed->waitedMilliseconds() : 0.0; }
    double feedingMilliseconds() const { return m_feed ? m_feed->writingMilliseconds() : 0.0; }
    double cpuMilliseconds() const { return m_cpu; }
    double peakMiB() const { return m_peakMiB; }

private:
    ChildProcess m_encoder;
    std::unique_ptr<EncoderFeed> m_feed;
    double m_cpu = 0.0;
    double m_peakMiB = 0.0;
};
