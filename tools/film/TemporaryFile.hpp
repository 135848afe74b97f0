#pragma once

#include <string>

// Makes a new empty file "<prefix>XXXXXX" in the system's temporary folder ($TMPDIR, else
// /tmp) and gives its path; empty when it cannot. The caller removes it.
std::string makeTemporaryFile(const std::string& prefix);
