#include "FrameStats.hpp"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>

void FrameStats::add(int sceneId, double milliseconds)
{
    std::vector<double>& times = m_times[sceneId];
    if (times.empty()) {
        m_order.push_back(sceneId);
        times.reserve(16384);
    }
    times.push_back(milliseconds);
}

std::vector<std::string> FrameStats::summary() const
{
    std::vector<std::string> lines;
    for (int id : m_order) {
        std::vector<double> times = m_times.at(id);
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        char line[128];
        std::snprintf(line, sizeof line, "%-9s (id %3d): %7.2f ms per frame (median of %zu)",
                      sceneName(id).c_str(), id, times[times.size() / 2], times.size());
        lines.push_back(line);
    }
    return lines;
}

double FrameStats::peakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // the kernel counts kibibytes
}

std::string FrameStats::sceneName(int sceneId)
{
    switch (sceneId) {
    case -1: return "lead-in";
    case 0: return "opening";
    case 1: return "walk";
    case 25: return "desk";
    case 2: return "workshop";
    case 35: return "door";
    case 3: return "scylla";
    case 4: return "cog";
    case 5: return "ending";
    case 6: return "credits";
    case 666: return "quit";
    default: return "scene";
    }
}
