#pragma once

#include <string>

// What is wrong with the song file at `file`, in words, or an empty string when nothing is:
// it does not open as audio; it stops decoding before its end; or its loop point `loopToMs`
// (milliseconds, as in assets/music.json) lies outside the song, so the loop never comes
// round as written. Decodes the whole file and plays nothing; no audio device is needed.
std::string songFault(const std::string& file, double loopToMs);
