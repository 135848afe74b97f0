#pragma once

#include "core/Screen.hpp"

#include <SFML/Graphics/Image.hpp>

#include <cstddef>
#include <cstdint>

// A finished frame's pixels as OpenGL gives them back from the off-screen picture: RGBA,
// rows from the bottom up, alpha as drawn. The frame is read back once into memory that is
// reused, and the video, the PNG frames and the contact sheet all take it from there.
constexpr std::size_t kFrameBytes = std::size_t{kScreenWidth} * kScreenHeight * 4;

// Reads the picture of `target` (displayed, and active on this thread) into `pixels`
// (kFrameBytes).
void readBack(sf::RenderTexture& target, std::uint8_t* pixels);

// The frame as a picture file shows it: the top row first, and opaque, since the window
// shows it with nothing behind.
sf::Image opaqueImage(const std::uint8_t* pixels);
