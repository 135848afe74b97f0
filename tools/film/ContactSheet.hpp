#pragma once

#include <SFML/Graphics/Image.hpp>

#include <cstdint>
#include <string>
#include <vector>

// A grid of small frames in time order, left to right and top to bottom, with nothing but
// the frames on it.
class ContactSheet {
public:
    static constexpr unsigned kShrink = 6;        // 1920 x 1080 frames become 320 x 180
    static constexpr unsigned kColumns = 8;
    static constexpr unsigned kGap = 4;           // pixels of dark grey between thumbnails

    // Adds a frame read back as FramePixels holds it (1920 x 1080, rows bottom up), each
    // thumbnail pixel the plain average of a kShrink x kShrink block.
    void add(const std::uint8_t* frame);
    // Writes the sheet as a PNG; false when there is nothing to write or the file cannot be
    // written.
    bool save(const std::string& path) const;

    std::size_t size() const { return m_thumbnails.size(); }

private:
    static sf::Image shrink(const std::uint8_t* frame);

    std::vector<sf::Image> m_thumbnails;
};
