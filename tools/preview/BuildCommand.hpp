#pragma once

#include <string>
#include <vector>

// How a build before a reload went.
struct BuildResult {
    bool succeeded = false;
    std::string reason;  // on failure: the build's last error line, or how it ended
};

// Runs `command` (a program and its arguments), passing everything it prints on to standard
// error, and waits for it.
BuildResult runBuild(const std::vector<std::string>& command);
