#pragma once

// How many processes draw a video at once. Drawing is the slow part of an export, and
// software OpenGL keeps about one core busy per process, so several processes drawing
// consecutive ranges finish sooner, even on two cores. Each one pays the game's start-up and
// holds its own pictures and encoder, so a short range or a small memory keeps fewer.
struct ExportMachine {
    unsigned cores = 1;
    long availableMiB = 0;  // memory free for new processes
};

// The cores this process may use and the memory free for it (MemAvailable, or a container's
// own limit when that is tighter).
ExportMachine thisMachine();

// The number of processes for a video of `frames` frames at `fps`: `asked` when it was given
// (--jobs; never more than the frames), else one per core as far as the memory and the length
// allow. At least one.
int exportProcesses(int asked, long frames, int fps, const ExportMachine& machine);
