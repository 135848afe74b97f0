#pragma once

// Where the time from process start to the first lead-in frame goes. The game's start-up is
// run unchanged; its phases are told apart by the files it opens: each registry opens its
// JSON file first, so a registry's phase runs from that file's opening to the next one's.
// The benchmark executable defines fopen and fopen64 itself to see those openings (they note
// the time and call the C library's own functions).
class StartupClock {
public:
    enum Phase { BeforeMain, Window, Textures, Sprites, Music, Particles, Text, Shader, FirstFrame, kPhases };

    // The moments the benchmark itself sees.
    static void markMain();
    static void markLoaded();     // loadContent has returned
    static void markFirstFrame(); // the first lead-in frame is on screen

    // Milliseconds that `phase` took, on the clock and in CPU time of the whole process (all
    // its threads: on a busy machine the CPU time is what the phase would take on an idle
    // one); false when one of its two ends was not seen (a file the start-up never opened),
    // and then both are 0.
    static bool phaseMilliseconds(Phase phase, double& milliseconds, double& cpuMilliseconds);
    // Milliseconds from process start to the first lead-in frame on screen.
    static double totalMilliseconds();
    // CPU milliseconds of the whole process from its start to the first lead-in frame.
    static double totalCpuMilliseconds();
    static const char* phaseName(Phase phase);

    // Image files opened during the start-up, and their total size in bytes.
    static int imageFiles();
    static long long imageBytes();

    // Called by the fopen stand-ins with every path opened.
    static void noteOpen(const char* path);
};
