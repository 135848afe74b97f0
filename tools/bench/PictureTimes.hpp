#pragma once

#include <string>
#include <vector>

// How much CPU time each picture of a textures file takes to become a texture: reading and decoding
// the file (sf::Image::loadFromFile), then uploading it (sf::Texture::loadFromImage). This is
// what chooses a picture's file format; the game's start-up does both steps in one call.
class PictureTimes {
public:
    // Measures every entry of `texturesFile` (best of `repeats` tries each) and returns the
    // table, one line each, slowest picture first, with the totals last. An unreadable
    // textures file or picture gives a line saying so.
    static std::vector<std::string> measure(const std::string& texturesFile, int repeats);
};
