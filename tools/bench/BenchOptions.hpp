#pragma once

#include <string>

// What the benchmark was asked to do.
struct BenchOptions {
    int fps = 20;                  // frames per second of film; every frame has dt = 1 / fps
    int traceAllocations = 0;      // print the call stacks of up to this many steady allocations
    bool startupOnly = false;      // stop after the first lead-in frame and print the start-up
    bool pictures = false;         // time each picture's decoding and upload instead of the film
    bool undrawnOnly = false;      // only the CPU cost of undrawn frames, per scene
    bool help = false;

    // Reads the command line. False, with `error` set to a one-line reason, when an option
    // is unknown, lacks its value or has a value out of range.
    bool parse(int argc, char** argv, std::string& error);

    // The text that --help prints.
    static std::string usage();
};
