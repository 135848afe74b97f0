#pragma once

#include <chrono>
#include <string>

// The export's progress on standard error, a line about once a second while frames are
// sent: how many of the frames expected, and the time left at the pace so far.
class ExportProgress {
public:
    using Clock = std::chrono::steady_clock;

    // `what` begins each line ("video ", "frames from 120: "); `expected` frames in all (an
    // estimate: more may come).
    ExportProgress(std::string what, long expected);

    // The first frame is on its way: the pace counts from now.
    void start();
    // `sent` frames are sent, the last as of `now`: a line when a second has passed since the
    // last line.
    void sent(long count, Clock::time_point now);

private:
    void report(long count) const;

    std::string m_what;
    long m_expected;
    Clock::time_point m_started;
    Clock::time_point m_lastReport;
};
