#pragma once

#include <string>

// `text` as one argument for /bin/sh, whatever characters it holds (single-quoted).
std::string shellWord(const std::string& text);
