#include "UndrawnCosts.hpp"

#include "CpuTime.hpp"
#include "ProcessLaunch.hpp"


#include "core/Game.hpp"
#include "core/FilmOrder.hpp"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <map>

namespace {
// The value at `fraction` of the sorted `values` (nearest rank).
double rank(const std::vector<double>& sorted, double fraction)
{
    return sorted[std::min(sorted.size() - 1, static_cast<std::size_t>(fraction * sorted.size()))];
}
}

std::vector<std::string> UndrawnCosts::measure(int fps)
{
    if (!game().loadContent())
        return {"drennmoor-bench: no undrawn frames: the start-up failed"};
    const float dt = 1.0f / static_cast<float>(fps);
    std::map<int, std::vector<double>> times;
    std::vector<int> order;
    // The film lasts about 205 s; the limit only guards against one that never quits.
    for (long frame = 0; game().running && frame < 400L * fps; ++frame) {
        const int sceneId = game().sceneId;
        const double start = cpuMilliseconds(CpuOf::Thread);
        game().advance(dt);
        const double took = cpuMilliseconds(CpuOf::Thread) - start;
        if (times[sceneId].empty())
            order.push_back(sceneId);
        times[sceneId].push_back(took);
    }

    std::vector<std::string> lines = {"undrawn frames (Game::advance: the film's own logic, no drawing), CPU ms "
                                      "of the main thread",
                                      "scene       frames  median ms  p99 ms  max ms"};
    for (int sceneId : order) {
        std::vector<double>& sorted = times[sceneId];
        std::sort(sorted.begin(), sorted.end());
        char line[128];
        std::snprintf(line, sizeof line, "%-10s %7zu %10.3f %7.3f %7.3f", film::sceneName(sceneId, "other"),
                      sorted.size(), rank(sorted, 0.5), rank(sorted, 0.99), sorted.back());
        lines.push_back(line);
    }
    return lines;
}

bool UndrawnCosts::measureApart(int fps)
{
    const std::vector<std::string> words = {"/proc/self/exe", "--undrawn", "--fps", std::to_string(fps)};
    const std::vector<char*> arguments = argumentArray(words);
    std::cout.flush();
    pid_t child = 0;
    if (posix_spawn(&child, arguments[0], nullptr, nullptr, arguments.data(), environ) != 0)
        return false;
    int status = 0;
    return waitpid(child, &status, 0) == child && exitedCleanly(status);
}
