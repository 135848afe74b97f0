#pragma once

// An export asked to stop (Ctrl-C, `timeout`, a service manager, a closed terminal) stops
// cleanly: SIGINT, SIGTERM and SIGHUP only note that they came, and the frame loop and every
// wait for a child process look at the note, stop their children and ffmpeg, and unwind,
// removing every part and temporary file on the way; nothing half-made keeps a final name.

// From now on the three signals are noted instead of ending the process.
void catchStopSignals();

// The signal that asked to stop, or 0 while none came.
int stopSignal();
inline bool stopRequested() { return stopSignal() != 0; }

// The name of a stop signal: "SIGINT", "SIGTERM" or "SIGHUP".
const char* stopSignalName(int signal);
