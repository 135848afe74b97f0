#pragma once

#include <string>

// The largest picture the film takes, in pixels either way. The shipped pictures reach 5660
// (a rope drawn across three screens); a larger one decodes into gigabytes and holds the
// start-up for seconds before the graphics card may refuse it anyway.
constexpr int kMostPictureSide = 8192;

// Why the picture file at `file` is not read, from its header alone: empty when it may be
// (also when it does not decode: the loader then says why), otherwise what it is ("a named
// pipe, not a file", "16384 x 16384 pixels, more than 8192 either way").
std::string pictureNotRead(const std::string& file);
