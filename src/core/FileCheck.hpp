#pragma once

#include <cstdint>
#include <string>

// What stands at a path the game is about to read. Opening a named pipe waits for a writer
// that never comes, and a folder or a device is no file either: they are refused before
// anything opens them, in the line that a missing file gets.

// The largest data file (JSON) read: the shipped ones are a few kilobytes, and the parser
// would take gigabytes of memory for a large one before it says anything.
constexpr std::uintmax_t kMostDataFileBytes = 16u * 1024u * 1024u;

// Empty when `path` names a regular file (through links), or nothing at all (opening it then
// fails as for any missing file); otherwise what it is: "a folder, not a file", "a named pipe,
// not a file", ...
std::string notAFile(const std::string& path);

// The same for a data file, which is also refused when larger than kMostDataFileBytes
// ("52428800 bytes, more than a data file's 16777216").
std::string notADataFile(const std::string& path);
