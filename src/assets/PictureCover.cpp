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
        // The tile rows this pixel row belongs to, with its margin.
        const int firstRow = std::max(0, y - 1) / kTile;
        const int lastRow = std::min(m_height - 1, y + 1) / kTile;
        for (int column = 0; column < m_columns; ++column) {
            // The tile's columns with a pixel of margin on either side.
            const int from = std::max(0, column * kTile - 1);
            const int to = std::min(m_width, (column + 1) * kTile + 1);
            // Whole-segment reductions, which the compiler turns into vector code.
            std::uint32_t any = 0;
            std::uint32_t all = alpha;
            for (int x = from; x < to; ++x) {
                std::uint32_t word = 0;
                std::memcpy(&word, line + static_cast<std::size_t>(x) * 4, sizeof word);
                any |= word;
                all &= word;
            }
            if ((any & alpha) != 0)
                for (int row = firstRow; row <= lastRow; ++row)
                    m_shown[static_cast<std::size_t>(row * m_columns + column)] = 1;
            if ((all & alpha) != alpha)
                m_opaque = false;
        }
    }
    m_hasEmptyTiles = std::find(m_shown.begin(), m_shown.end(), 0) != m_shown.end();
    findRectangles();
}

void PictureCover::findRectangles()
{
    // Rectangles still growing downwards: ended at the row above, found by their columns.
    std::vector<std::size_t> growing;
    std::vector<std::size_t> next;
    for (int row = 0; row < m_rows; ++row) {
        const int top = row * kTile;
        const int height = std::min(kTile, m_height - top);
        next.clear();
        for (int column = 0; column < m_columns;) {
            if (!shown(column, row)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < m_columns && shown(column, row))
                ++column;
            const int left = first * kTile;
            const int width = std::min(column * kTile, m_width) - left;
            const auto same = std::find_if(growing.begin(), growing.end(), [&](std::size_t index) {
                return m_rectangles[index].left == left && m_rectangles[index].width == width;
            });
            if (same != growing.end()) {
                m_rectangles[*same].height += height;
                next.push_back(*same);
            } else {
                m_rectangles.emplace_back(left, top, width, height);
                next.push_back(m_rectangles.size() - 1);
            }
        }
        growing.swap(next);
    }
}
