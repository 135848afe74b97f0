#include "ExportProgress.hpp"

#include "core/Diagnostics.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
std::string duration(double value)
{
    const long whole = std::max(0L, std::lround(value));
    return whole >= 60 ? std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s"
                       : std::to_string(whole) + " s";
}
}

ExportProgress::ExportProgress(std::string what, long expected)
    : m_what(std::move(what))
    , m_expected(expected)
{
}

void ExportProgress::start()
{
    m_started = m_lastReport = Clock::now();
}

void ExportProgress::sent(long count, Clock::time_point now)
{
    if (now - m_lastReport < std::chrono::seconds(1))
        return;
    m_lastReport = now;
    report(count);
}

void ExportProgress::report(long count) const
{
    const std::chrono::duration<double> spent = Clock::now() - m_started;
    const long expected = std::max(m_expected, count);
    const double left = spent.count() / static_cast<double>(count) * static_cast<double>(expected - count);
    reportLine("drennmoor-film: " + m_what + std::to_string(100 * count / std::max(1L, expected)) + "% (" +
               std::to_string(count) + " of " + std::to_string(expected) + " frames), about " + duration(left) +
               " left");
}
