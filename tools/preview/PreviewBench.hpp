#pragma once

// drennmoor-preview --bench: how long the preview's moves take on this machine, measured
// as the preview makes them (the film restarted in memory, run undrawn to the frame before,
// the frame drawn), without a window. Prints one line per move on standard error. 0, or 1
// when the film cannot load.
int benchSeeks(int fps);
