#pragma once

#include "FilmOptions.hpp"

#include <string>

// ffmpeg's arguments for the video stream of an export: the codec and its settings for each
// --codec and --quality, chosen by measuring this film on two cores with
// tools/film/measure_export.py (docs/export.md has the table). The arguments start with a
// space and cover the codec, its rate control, the key frames and the pixel format.
std::string videoCodecArguments(VideoCodec codec, VideoQuality quality, int fps);
