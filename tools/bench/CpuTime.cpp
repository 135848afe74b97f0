#include "CpuTime.hpp"

#include <time.h>

double cpuMilliseconds(CpuOf whose)
{
    timespec used{};
    clock_gettime(whose == CpuOf::Thread ? CLOCK_THREAD_CPUTIME_ID : CLOCK_PROCESS_CPUTIME_ID, &used);
    return static_cast<double>(used.tv_sec) * 1e3 + static_cast<double>(used.tv_nsec) / 1e6;
}
