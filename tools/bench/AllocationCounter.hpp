#pragma once

#include <string>
#include <vector>

// Counts the heap allocations of the main thread. The benchmark executable replaces the
// global operator new and delete (every form) with ones that count and then use malloc, so
// everything in the process that allocates through C++ is seen: the game, SFML, the
// standard library. Allocations of other threads (the song's streaming) are not counted, nor
// C code's malloc. Those that the OpenGL driver makes itself (Mesa's software rasteriser
// compiles each new combination of drawing states once, with LLVM) are counted apart.
class AllocationCounter {
public:
    // Marks the calling thread as the one whose allocations are counted.
    static void watchThisThread();
    // Counting costs a look at the call stack per allocation, so it is on only between these.
    static void startCounting();
    static void stopCounting();
    // Around a call into the driver that may compile (a draw call): every allocation of the
    // calling thread in between is the driver's, without the look at the stack. That look
    // takes milliseconds in a driver of a hundred thousand symbols, and the tens of
    // thousands of allocations of one compile made a frame last a minute.
    static void enterDriver();
    static void leaveDriver();
    // Allocations counted on the watched thread, the driver's left out.
    static unsigned long count();
    // The driver's own allocations counted on the watched thread.
    static unsigned long driverCount();

    // From now on, keep the call stacks of up to `limit` allocations (at most kMaxTraces).
    static void startTracing(int limit);
    // Stop keeping call stacks; those kept so far stay.
    static void stopTracing();
    // The kept call stacks, one line each, innermost call first.
    static std::vector<std::string> traces();

    static constexpr int kMaxTraces = 64;
    static constexpr int kTraceDepth = 14;
};
