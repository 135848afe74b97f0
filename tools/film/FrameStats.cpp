#include "FrameStats.hpp"
#include "core/FilmOrder.hpp"


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
        if (id == kUndrawn)
            continue;
        std::vector<double> times = m_times.at(id);
        std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
        char line[128];
        std::snprintf(line, sizeof line, "%-9s (id %3d): %7.2f ms per frame (median of %zu)",
                      film::sceneName(id, "scene"), id, times[times.size() / 2], times.size());
        lines.push_back(line);
    }
    const auto undrawn = m_times.find(kUndrawn);
    if (undrawn != m_times.end()) {
        double total = 0.0;
        for (double time : undrawn->second)
            total += time;
        char line[128];
        std::snprintf(line, sizeof line, "undrawn frames: %zu in %.0f ms", undrawn->second.size(), total);
        lines.push_back(line);
    }
    return lines;
}

