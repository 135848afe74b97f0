#include "FramePicture.hpp"

#include <SFML/Graphics/Texture.hpp>

#include <cstdio>
#include <vector>

sf::Image opaqueFrame(const sf::Texture& picture)
{
    const sf::Image shown = picture.copyToImage();
    const sf::Vector2u size = shown.getSize();
    std::vector<sf::Uint8> pixels(shown.getPixelsPtr(), shown.getPixelsPtr() + size.x * size.y * 4);
    for (std::size_t alpha = 3; alpha < pixels.size(); alpha += 4)
        pixels[alpha] = 255;
    sf::Image opaque;
    opaque.create(size.x, size.y, pixels.data());
    return opaque;
}

std::string frameFileName(double time)
{
    char name[64];
    std::snprintf(name, sizeof name, "frame_%08.3f.png", time);
    return name;
}
