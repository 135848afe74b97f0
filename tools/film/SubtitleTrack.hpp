#pragma once

#include <string>

// The ffmpeg command line (without where its messages go) that makes `output`: the MP4
// `video` with the WebVTT file `subtitles` as its English subtitle track, nothing encoded
// again, its index at the front so that a player starts it before it has all of it.
std::string subtitleTrackCommand(const std::string& video, const std::string& subtitles, const std::string& output);
