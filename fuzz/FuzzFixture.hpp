#pragma once

#include "harden/TinyGameFolder.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

// The tests' tiny game folder, made from the shipped data files and entered on first use
// (every target's LLVMFuzzerInitialize does): the working folder a target runs in until it
// exits, with registries for the loaders that look keys up and a small target to draw into.
TinyGameFolder& fuzzGame();

// The fuzzed bytes as text, for the loaders that read a stream.
std::string fuzzText(const std::uint8_t* data, std::size_t size);
