#pragma once

#include <SFML/Graphics/Image.hpp>

#include <string>

namespace sf {
class Texture;
}

// A frame of the film as the tools write it: the picture's pixels with nothing behind them
// (every alpha 255, as a window shows them), in a file named for its time.
sf::Image opaqueFrame(const sf::Texture& picture);
// "frame_0017.500.png" for 17.5 s.
std::string frameFileName(double time);
