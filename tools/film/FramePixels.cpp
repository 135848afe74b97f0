#include "FramePixels.hpp"

#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <vector>

void readBack(sf::RenderTexture& target, std::uint8_t* pixels)
{
    // The render texture's own framebuffer is bound while it is active.
    target.setActive(true);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kScreenWidth, kScreenHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
}

sf::Image opaqueImage(const std::uint8_t* pixels)
{
    const std::size_t row = std::size_t{kScreenWidth} * 4;
    std::vector<std::uint8_t> flipped(kFrameBytes);
    for (unsigned y = 0; y < kScreenHeight; ++y)
        std::copy_n(pixels + (kScreenHeight - 1 - y) * row, row, flipped.data() + y * row);
    for (std::size_t alpha = 3; alpha < flipped.size(); alpha += 4)
        flipped[alpha] = 255;
    sf::Image image;
    image.create(kScreenWidth, kScreenHeight, flipped.data());
    return image;
}
