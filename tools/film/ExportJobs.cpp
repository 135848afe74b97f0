#include "ExportJobs.hpp"

#include <algorithm>
#include <fstream>
#include <sched.h>
#include <string>
#include <thread>

namespace {
// A drawing process and its encoder at their peak, measured on the whole film (the README's
// film renderer section), with room to spare.
constexpr long kMiBPerProcess = 1536;
// A part shorter than this spends too much of its time starting up.
constexpr long kMinPartSeconds = 10;

// A number in a file of one line, as /sys/fs/cgroup keeps them; -1 when there is none ("max").
long readNumberFile(const char* path)
{
    std::ifstream in(path);
    long value = -1;
    return in >> value ? value : -1;
}
}

ExportMachine thisMachine()
{
    ExportMachine machine;
    // The cores this process may run on, which taskset and containers narrow.
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    const int usable = sched_getaffinity(0, sizeof allowed, &allowed) == 0 ? CPU_COUNT(&allowed) : 0;
    machine.cores = usable > 0 ? static_cast<unsigned>(usable) : std::max(1u, std::thread::hardware_concurrency());
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
    // A container's own limit, when it is tighter than the machine's free memory.
    const long limit = readNumberFile("/sys/fs/cgroup/memory.max");
    const long used = readNumberFile("/sys/fs/cgroup/memory.current");
    if (limit > 0 && used >= 0)
        machine.availableMiB = std::min(machine.availableMiB, std::max(0L, limit - used) / (1024 * 1024));
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
