#pragma once

#include <SFML/Graphics/Rect.hpp>

#include <cstdint>
#include <vector>

namespace sf {
class Image;
}

// Where a picture shows anything: the picture cut into square tiles, each marked when it has
// a pixel with alpha above 0 within it or one pixel around it, and whether every pixel is
// fully opaque. A rope across the screen or heads hanging into a sky are mostly transparent;
// drawn with alpha blending, a transparent pixel changes nothing, so drawing only the marked
// tiles gives the same picture for a fraction of the work. The margin of a pixel keeps that
// true whichever neighbouring texel the rasteriser picks for a pixel on a texel's edge.
class PictureCover {
public:
    static constexpr int kTile = 32;  // pixels

    // A picture of no size: nothing shown, not opaque.
    PictureCover() = default;
    // Reads every pixel of `image` once.
    explicit PictureCover(const sf::Image& image);

    // True when every pixel has alpha 255 (a JPEG always; a picture of no size never).
    bool opaque() const { return m_opaque; }
    // True when some tile is unmarked, so that drawing by tiles saves work.
    bool hasEmptyTiles() const { return m_hasEmptyTiles; }

    // Calls visit(sf::IntRect) once for each horizontal run of marked tiles, tile row by tile
    // row from the top, cut to `area` (in the picture's pixels). Runs do not overlap and
    // together hold every pixel of `area` that shows anything.
    template <class Visit>
    void forEachShownRun(const sf::IntRect& area, Visit visit) const;

private:
    bool shown(int column, int row) const { return m_shown[static_cast<std::size_t>(row * m_columns + column)] != 0; }

    int m_width = 0;
    int m_height = 0;
    int m_columns = 0;
    int m_rows = 0;
    std::vector<std::uint8_t> m_shown;  // one per tile, rows from the top; 1 = marked
    bool m_opaque = false;
    bool m_hasEmptyTiles = false;
};

template <class Visit>
void PictureCover::forEachShownRun(const sf::IntRect& area, Visit visit) const
{
    const int left = area.left < 0 ? 0 : area.left;
    const int top = area.top < 0 ? 0 : area.top;
    const int right = area.left + area.width > m_width ? m_width : area.left + area.width;
    const int bottom = area.top + area.height > m_height ? m_height : area.top + area.height;
    if (left >= right || top >= bottom)
        return;
    for (int row = top / kTile; row * kTile < bottom; ++row) {
        const int runTop = row * kTile < top ? top : row * kTile;
        const int runBottom = (row + 1) * kTile > bottom ? bottom : (row + 1) * kTile;
        int column = left / kTile;
        while (column * kTile < right) {
            if (!shown(column, row)) {
                ++column;
                continue;
            }
            const int first = column;
            while (column * kTile < right && shown(column, row))
                ++column;
            const int runLeft = first * kTile < left ? left : first * kTile;
            const int runRight = column * kTile > right ? right : column * kTile;
            visit(sf::IntRect(runLeft, runTop, runRight - runLeft, runBottom - runTop));
        }
    }
}
