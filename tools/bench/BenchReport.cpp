#include "BenchReport.hpp"

#include "StartupClock.hpp"
#include "core/FilmOrder.hpp"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {
constexpr double kScreenPixels = 1920.0 * 1080.0;

// The value at `fraction` of the sorted values (nearest rank); 0 for none.
template <typename Value>
Value percentile(std::vector<Value> values, double fraction)
{
    if (values.empty())
        return Value();
    const std::size_t rank = std::min(values.size() - 1, static_cast<std::size_t>(fraction * values.size()));
    std::nth_element(values.begin(), values.begin() + static_cast<long>(rank), values.end());
    return values[rank];
}

template <typename Value>
Value largest(const std::vector<Value>& values)
{
    return values.empty() ? Value() : *std::max_element(values.begin(), values.end());
}

std::string format(const char* pattern, ...) __attribute__((format(printf, 1, 2)));

std::string format(const char* pattern, ...)
{
    char line[256];
    va_list arguments;
    va_start(arguments, pattern);
    std::vsnprintf(line, sizeof line, pattern, arguments);
    va_end(arguments);
    return line;
}
}

struct BenchReport::SceneRow {
    std::size_t frames = 0;
    double median = 0.0;
    double p99 = 0.0;
    double baseline = 0.0;
    long drawsMedian = 0;
    long drawsMax = 0;
    double fillMedian = 0.0;
    double fillMax = 0.0;
    unsigned long steadyAllocationsMax = 0;
    std::size_t allocatingFrames = 0;
    unsigned long firstFrameAllocations = 0;
    unsigned long driverAllocations = 0;
};

BenchReport::BenchReport(std::size_t frames)
{
    m_frames.reserve(frames);
}

void BenchReport::add(const Frame& frame)
{
    m_frames.push_back(frame);
}

void BenchReport::setBaselineCost(long drawCalls, unsigned long long fragments)
{
    m_baselineDrawCalls = drawCalls;
    m_baselineFragments = fragments;
}

std::vector<std::string> BenchReport::table(int fps, double peakMemoryMiB) const
{
    std::vector<std::string> lines;
    lines.push_back(format("drennmoor-bench: %zu film frames at dt 1/%d s into an off-screen 1920x1080 picture",
                           m_frames.size(), fps));
    for (const std::string& line : startupLines())
        lines.push_back(line);
    lines.push_back("");
    for (const std::string& line : sceneLines())
        lines.push_back(line);
    lines.push_back(baselineLine());
    lines.push_back("");
    lines.push_back(format("peak memory of the whole film: %.0f MiB (resident)", peakMemoryMiB));
    return lines;
}

std::vector<std::string> BenchReport::startupLines()
{
    std::vector<std::string> lines;
    lines.push_back(format("start-up, process start to the first lead-in frame on screen: %.0f ms "
                           "(CPU %.0f ms)",
                           StartupClock::totalMilliseconds(), StartupClock::totalCpuMilliseconds()));
    lines.push_back("  phase                   clock ms     CPU ms");
    for (int phase = 0; phase < StartupClock::kPhases; ++phase) {
        const auto which = static_cast<StartupClock::Phase>(phase);
        double milliseconds = 0.0;
        double cpu = 0.0;
        const bool seen = StartupClock::phaseMilliseconds(which, milliseconds, cpu);
        std::string line = format("  %-20s %11.0f %10.0f", StartupClock::phaseName(which), milliseconds, cpu);
        if (!seen)
            line += "  (not seen: its file was never opened)";
        if (which == StartupClock::Textures)
            line += format("  (%d image files, %.1f MB)", StartupClock::imageFiles(),
                           static_cast<double>(StartupClock::imageBytes()) / 1e6);
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> BenchReport::sceneLines() const
{
    std::vector<std::string> lines;
    lines.push_back("scene       frames  median ms  p99 ms  x base   draw calls     fill, screens   "
                    "heap allocations");
    lines.push_back("                                               median   max   median    max   "
                    "steady max  frames  first  driver");
    for (int sceneId : scenesInOrder()) {
        const SceneRow row = sceneRow(sceneId);
        lines.push_back(format("%-10s %7zu %10.2f %7.2f %7.2f %8ld %5ld %8.2f %6.2f %11lu %7zu %6lu %7lu",
                               film::sceneName(sceneId, "other"), row.frames, row.median, row.p99,
                               row.baseline > 0.0 ? row.median / row.baseline : 0.0, row.drawsMedian,
                               row.drawsMax, row.fillMedian, row.fillMax, row.steadyAllocationsMax,
                               row.allocatingFrames, row.firstFrameAllocations, row.driverAllocations));
    }
    return lines;
}

std::vector<int> BenchReport::scenesInOrder() const
{
    std::vector<int> order;
    for (const Frame& frame : m_frames) {
        if (std::find(order.begin(), order.end(), frame.sceneId) == order.end())
            order.push_back(frame.sceneId);
    }
    return order;
}

BenchReport::SceneRow BenchReport::sceneRow(int sceneId) const
{
    std::vector<double> times, baselines, fills;
    std::vector<long> draws;
    SceneRow row;
    for (const Frame& frame : m_frames) {
        if (frame.sceneId != sceneId)
            continue;
        times.push_back(frame.milliseconds);
        baselines.push_back(frame.baselineMilliseconds);
        draws.push_back(frame.drawCalls);
        fills.push_back(static_cast<double>(frame.fragments) / kScreenPixels);
        row.driverAllocations += frame.driverAllocations;
        if (!frame.steady) {
            row.firstFrameAllocations += frame.allocations;
            continue;
        }
        row.steadyAllocationsMax = std::max(row.steadyAllocationsMax, frame.allocations);
        row.allocatingFrames += frame.allocations > 0 ? 1 : 0;
    }
    row.frames = times.size();
    row.median = percentile(times, 0.5);
    row.p99 = percentile(times, 0.99);
    row.baseline = percentile(baselines, 0.5);
    row.drawsMedian = percentile(draws, 0.5);
    row.drawsMax = largest(draws);
    row.fillMedian = percentile(fills, 0.5);
    row.fillMax = largest(fills);
    return row;
}

std::string BenchReport::baselineLine() const
{
    std::vector<double> times;
    for (const Frame& frame : m_frames)
        times.push_back(frame.baselineMilliseconds);
    return format("%-10s %7zu %10.2f %7.2f %7.2f %8ld %5ld %8.2f %6.2f   (clear, vignette pass, finish)",
                  "baseline", times.size(), percentile(times, 0.5), percentile(times, 0.99), 1.0,
                  m_baselineDrawCalls, m_baselineDrawCalls,
                  static_cast<double>(m_baselineFragments) / kScreenPixels,
                  static_cast<double>(m_baselineFragments) / kScreenPixels);
}
