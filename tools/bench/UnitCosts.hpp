#pragma once

#include <string>
#include <vector>

namespace sf {
class RenderTexture;
}

// What the two things a frame is made of cost on this machine, measured after the film with
// the game's own sprites: one full-screen blended layer (the fill of one screen), and one
// small sprite, which is one draw call (a rain drop, as every particle and every letter of
// the poem is drawn). They turn a scene's fill and draw calls into milliseconds.
class UnitCosts {
public:
    // Measures into `target` (1920 x 1080); one line each, or a line saying why not.
    static std::vector<std::string> measure(sf::RenderTexture& target);
};
