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

    // Calls visit(sf::IntRect) once for each rectangle of marked tiles, cut to `area` (in the
    // picture's pixels). A rectangle is a run of marked tiles along a tile row, joined with
    // the same run in the rows below it. Rectangles do not overlap and together hold every
    // pixel of `area` that shows anything.
    template <class Visit>
    void forEachShownRectangle(const sf::IntRect& area, Visit visit) const;

private:
    std::vector<sf::IntRect> m_rectangles;  // in pixels, cut to the picture
    bool m_opaque = false;
    bool m_hasEmptyTiles = false;
};

template <class Visit>
void PictureCover::forEachShownRectangle(const sf::IntRect& area, Visit visit) const
{
    sf::IntRect cut;
    for (const sf::IntRect& rectangle : m_rectangles)
        if (rectangle.intersects(area, cut))
            visit(cut);
}
