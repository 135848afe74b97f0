#include "assets/PictureCover.hpp"

#include <SFML/Graphics/Image.hpp>

#include <algorithm>
#include <cstring>

namespace {
constexpr int kTile = PictureCover::kTile;

// The alpha byte of a pixel read as one 32-bit word, whatever the byte order.
std::uint32_t alphaBits()
{
    const std::uint8_t pixel[4] = {0, 0, 0, 255};
    std::uint32_t word = 0;
    std::memcpy(&word, pixel, sizeof word);
    return word;
}

// The picture's tiles, rows from the top, while the cover is measured.
struct TileGrid {
    int width = 0;  // of the picture, in pixels
    int height = 0;
    int columns = 0;
    int rows = 0;
    std::vector<std::uint8_t> marked;  // one per tile

    bool isMarked(int column, int row) const { return marked[static_cast<std::size_t>(row * columns + column)] != 0; }
    void mark(int column, int row) { marked[static_cast<std::size_t>(row * columns + column)] = 1; }
};

// Marks the tiles with a visible pixel within them or one pixel around them; false when a
// pixel is less than fully opaque (or there is no pixel).
bool markTiles(const sf::Image& image, TileGrid& grid)
{
    const std::uint32_t alpha = alphaBits();
    const std::uint8_t* pixels = image.getPixelsPtr();
    bool opaque = grid.width > 0 && grid.height > 0;
    for (int y = 0; y < grid.height; ++y) {
        const std::uint8_t* line = pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(grid.width) * 4;
        // The tile rows this pixel row belongs to, with its margin.
        const int firstRow = std::max(0, y - 1) / kTile;
        const int lastRow = std::min(grid.height - 1, y + 1) / kTile;
        for (int column = 0; column < grid.columns; ++column) {
            // The tile's columns with a pixel of margin on either side.
            const int from = std::max(0, column * kTile - 1);
            const int to = std::min(grid.width, (column + 1) * kTile + 1);
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
                    grid.mark(column, row);
            if ((all & alpha) != alpha)
                opaque = false;
        }
    }
    return opaque;
}

// The marked tiles as rectangles: each run along a tile row, joined with the same run in the
// row above when there is one.
std::vector<sf::IntRect> rectanglesOf(const TileGrid& grid)
{
    std::vector<sf::IntRect> rectangles;
    // Rectangles still growing downwards: ended at the row above, found by their columns.
    std::vector<std::size_t> growing;
    std::vector<std::size_t> next;
    for (int row = 0; row < grid.rows; ++row) {
        const int top = row * kTile;
        const int height = std::min(kTile, grid.height - top);
        next.clear();
        for (int column = 0; column < grid.columns;) {
            if (!grid.isMarked(column, row)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column < grid.columns && grid.isMarked(column, row))
                ++column;
            const int left = first * kTile;
            const int width = std::min(column * kTile, grid.width) - left;
            const auto same = std::find_if(growing.begin(), growing.end(), [&](std::size_t index) {
                return rectangles[index].left == left && rectangles[index].width == width;
            });
            if (same != growing.end()) {
                rectangles[*same].height += height;
                next.push_back(*same);
            } else {
                rectangles.emplace_back(left, top, width, height);
                next.push_back(rectangles.size() - 1);
            }
        }
        growing.swap(next);
    }
    return rectangles;
}
}

PictureCover::PictureCover(const sf::Image& image)
{
    TileGrid grid;
    grid.width = static_cast<int>(image.getSize().x);
    grid.height = static_cast<int>(image.getSize().y);
    grid.columns = (grid.width + kTile - 1) / kTile;
    grid.rows = (grid.height + kTile - 1) / kTile;
    grid.marked.assign(static_cast<std::size_t>(grid.columns) * static_cast<std::size_t>(grid.rows), 0);
    m_opaque = markTiles(image, grid);
    m_hasEmptyTiles = std::find(grid.marked.begin(), grid.marked.end(), 0) != grid.marked.end();
    m_rectangles = rectanglesOf(grid);
}
