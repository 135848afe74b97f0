#include "ExportJobs.hpp"

#include <algorithm>
#include <fstream>
#include <string>
#include <thread>

namespace {
// A drawing process and its encoder at their peak, measured on the whole film (the README's
// film renderer section), with room to spare.
constexpr long kMiBPerProcess = 1536;
// A part shorter than this spends too much of its time starting up.
constexpr long kMinPartSeconds = 10;
}

ExportMachine thisMachine()
{
    ExportMachine machine;
    machine.cores = std::max(1u, std::thread::hardware_concurrency());
    std::ifstream info("/proc/meminfo");
    std::string key;
    long kib = 0;
    while (info >> key >> kib) {
        if (key == "MemAvailable:") {
            machine.availableMiB = kib / 1024;
            break;
        }
        info.ignore(64, '\n');
    }
    return machine;
}

int exportProcesses(int asked, long frames, int fps, const ExportMachine& machine)
{
    if (asked > 0)
        return static_cast<int>(std::max(1L, std::min<long>(asked, frames)));
    long processes = machine.cores;
    processes = std::min(processes, machine.availableMiB / kMiBPerProcess);
    processes = std::min(processes, frames / (kMinPartSeconds * std::max(1, fps)));
    return static_cast<int>(std::max(1L, processes));
}
