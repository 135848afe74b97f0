#pragma once

#include <string>
#include <vector>

// What every child process the tools start shares: the argument array it is started with
// and how its end is read.

// `words` as exec (and main) take them: a pointer to each word, then a null. Made before a
// fork, since after it only the system's own calls are safe; valid while `words` lives
// unchanged.
std::vector<char*> argumentArray(const std::vector<std::string>& words);

// True for a wait status of a process that ended by itself with exit status 0.
bool exitedCleanly(int status);
