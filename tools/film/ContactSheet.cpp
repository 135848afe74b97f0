#include "ContactSheet.hpp"

#include "FramePixels.hpp"

void ContactSheet::add(const std::uint8_t* frame)
{
    m_thumbnails.push_back(shrink(frame));
}

bool ContactSheet::save(const std::string& path) const
{
    if (m_thumbnails.empty())
        return false;
    const sf::Vector2u thumb = m_thumbnails.front().getSize();
    const unsigned count = static_cast<unsigned>(m_thumbnails.size());
    const unsigned columns = count < kColumns ? count : kColumns;
    const unsigned rows = (count + kColumns - 1) / kColumns;
    sf::Image sheet;
    sheet.create(kGap + columns * (thumb.x + kGap), kGap + rows * (thumb.y + kGap),
                 sf::Color(24, 24, 28));
    for (unsigned i = 0; i < count; ++i) {
        const unsigned x = kGap + (i % kColumns) * (thumb.x + kGap);
        const unsigned y = kGap + (i / kColumns) * (thumb.y + kGap);
        sheet.copy(m_thumbnails[i], x, y);
    }
    return sheet.saveToFile(path);
}

sf::Image ContactSheet::shrink(const std::uint8_t* pixels)
{
    const sf::Vector2u size(kScreenWidth, kScreenHeight);
    const unsigned width = size.x / kShrink;
    const unsigned height = size.y / kShrink;
    sf::Image thumbnail;
    thumbnail.create(width, height);
    for (unsigned ty = 0; ty < height; ++ty) {
        for (unsigned tx = 0; tx < width; ++tx) {
            unsigned sum[3] = {0, 0, 0};
            for (unsigned dy = 0; dy < kShrink; ++dy) {
                // Rows come bottom up: the thumbnail's top is the frame's last row.
                const unsigned y = size.y - 1 - (ty * kShrink + dy);
                const std::uint8_t* row = pixels + (std::size_t{y} * size.x + tx * kShrink) * 4;
                for (unsigned dx = 0; dx < kShrink * 4; dx += 4) {
                    sum[0] += row[dx];
                    sum[1] += row[dx + 1];
                    sum[2] += row[dx + 2];
                }
            }
            const unsigned block = kShrink * kShrink;
            thumbnail.setPixel(tx, ty, sf::Color(static_cast<sf::Uint8>(sum[0] / block),
                                                 static_cast<sf::Uint8>(sum[1] / block),
                                                 static_cast<sf::Uint8>(sum[2] / block)));
        }
    }
    return thumbnail;
}
