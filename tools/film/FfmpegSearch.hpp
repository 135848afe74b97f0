#pragma once

// Whether an ffmpeg program is on PATH; when none is, one line on standard error says how to
// install it.
bool ffmpegOnPath();
