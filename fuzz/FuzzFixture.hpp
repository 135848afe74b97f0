#pragma once

#include "harden/TinyGameFolder.hpp"

#include <cstddef>
#include <cstdint>
#include <string>

// The tests' tiny game folder, made from the source tree's data files on first use (every
// target's LLVMFuzzerInitialize does): the folder a target works in until it exits.
TinyGameFolder& fuzzGame();

// The fuzzed bytes as text, for the loaders that read a stream.
std::string fuzzText(const std::uint8_t* data, std::size_t size);
