#include "assets/PictureCover.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cstring>

namespace {
// The alpha byte of a pixel read as one 32-bit word, whatever the byte order.
std::uint32_t alphaBits()
{
    const std::uint8_t pixel[4] = {0, 0, 0, 255};
    std::uint32_t word = 0;
    std::memcpy(&word, pixel, sizeof word);
    return word;
}
}

PictureCover::PictureCover(const sf::Image& image)
    : m_width(static_cast<int>(image.getSize().x))
    , m_height(static_cast<int>(image.getSize().y))
    , m_columns((m_width + kTile - 1) / kTile)
    , m_rows((m_height + kTile - 1) / kTile)
    , m_shown(static_cast<std::size_t>(m_columns) * static_cast<std::size_t>(m_rows), 0)
    , m_opaque(m_width > 0 && m_height > 0)
{
    const std::uint32_t alpha = alphaBits();
    const std::uint8_t* pixels = image.getPixelsPtr();
    for (int y = 0; y < m_height; ++y) {
        const std::uint8_t* line = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) * 4;
        for (int column = 0; column < m_columns; ++column) {
            const std::uint8_t* segment = line + static_cast<std::size_t>(column) * kTile * 4;
            const int count = std::min(kTile, m_width - column * kTile);
            // Whole-segment reductions, which the compiler turns into vector code.
            std::uint32_t any = 0;
            std::uint32_t all = alpha;
            for (int i = 0; i < count; ++i) {
                std::uint32_t word = 0;
                std::memcpy(&word, segment + i * 4, sizeof word);
                any |= word;
                all &= word;
            }
            if ((any & alpha) != 0)
                m_shown[static_cast<std::size_t>((y / kTile) * m_columns + column)] = 1;
            if ((all & alpha) != alpha)
                m_opaque = false;
        }
    }
    m_hasEmptyTiles = std::find(m_shown.begin(), m_shown.end(), 0) != m_shown.end();
}
