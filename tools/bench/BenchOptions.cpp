#include "BenchOptions.hpp"

#include "CommandLine.hpp"

bool BenchOptions::parse(int argc, char** argv, std::string& error)
{
    CommandLine line;
    line.flag("--help", help);
    line.flag("-h", help);
    line.flag("--pictures", pictures);
    line.flag("--undrawn", undrawnOnly);
    line.flag("--startup", startupOnly);
    line.option("--fps", wholeNumberIn(1.0, 1000.0, fps));
    line.option("--trace-allocations", wholeNumberIn(0.0, 64.0, traceAllocations));
    return line.parse(argc, argv, error);
}

std::string BenchOptions::usage()
{
    return "drennmoor-bench: measures the Drennmoor film on this machine and prints one table.\n"
           "\n"
           "It starts the game as the game starts (configuration, a 1920x1080 window, the five\n"
           "registries, the fade sprite, the vignette) and draws the first lead-in frame into that\n"
           "window; then it plays the whole film through the game's frame function into an\n"
           "off-screen 1920x1080 picture at a fixed frame time, with the song streaming to\n"
           "OpenAL's null device. After every film frame it runs one empty frame (clear, vignette\n"
           "pass, finish), the baseline, and prints each scene as a ratio to the baseline frames\n"
           "measured during that scene, so that a busy machine shifts both alike.\n"
           "\n"
           "It prints:\n"
           "  start-up   milliseconds from process start to the first lead-in frame on screen,\n"
           "             split into before main, window and context, textures, sprites, music,\n"
           "             particles, text, shader and the first frame itself\n"
           "  per scene  median and 99th-percentile milliseconds of a frame (frame function,\n"
           "             display and glFinish), that median over the baseline's, OpenGL draw\n"
           "             calls per frame, the fill (fragments rasterised in the frame, transparent\n"
           "             or not, counted by a GL_SAMPLES_PASSED query, in full 1920x1080 screens),\n"
           "             and heap allocations (operator new on the main thread) per steady frame:\n"
           "             every frame but a scene's first, how many steady frames allocated,\n"
           "             the allocations of the scene's first frame, and apart from those the\n"
           "             OpenGL driver's own (Mesa compiling a new combination of drawing\n"
           "             states, once)\n"
           "  memory     the process's peak resident memory over the whole film\n"
           "  undrawn    per scene, the CPU milliseconds of the main thread for an undrawn frame\n"
           "             (Game::advance: the film's own logic without drawing or the driver;\n"
           "             the goal is under 1 ms), from a second run of the film in a fresh\n"
           "             process of this tool\n"
           "\n"
           "Run it from anywhere; it enters the game folder it lives in. It needs an X display\n"
           "for OpenGL; without one, run it under xvfb-run -a -s \"-screen 0 1920x1080x24\".\n"
           "\n"
           "Options:\n"
           "  --fps N                 frames per second of film (default 20: about 4000 frames;\n"
           "                          5 gives a quicker, coarser run)\n"
           "  --startup               only the start-up: stop after the first lead-in frame\n"
           "                          (quick to repeat on a busy machine)\n"
           "  --trace-allocations N   also print, one line each, where the first N heap\n"
           "                          allocations of steady frames came from\n"
           "  --undrawn               only the undrawn frames (a few seconds)\n"
           "  --pictures              instead of the film: milliseconds to decode and to upload\n"
           "                          each picture of assets/textures.json, and its file size\n"
           "  --help                  this text\n";
}
