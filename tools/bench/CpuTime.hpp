#pragma once

// Milliseconds of CPU time used so far, the one clock the benchmark's CPU figures read. On a
// busy machine CPU time is what a step would take on an idle one.
enum class CpuOf {
    Thread,   // the calling thread alone (work that runs on it and nowhere else)
    Process,  // every thread of the process (start-up, where the driver has threads too)
};
double cpuMilliseconds(CpuOf whose);
