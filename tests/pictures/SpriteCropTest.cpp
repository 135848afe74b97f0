// The staged pictures against assets/sprites.json: the sprites show only the part of their
// picture that holds something (tools/crop_sprites.py), and that crop must neither lose a
// visible pixel nor move the picture. The tests run in the staged game folder.

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {
// The opening scene sets these sprites' origins itself, so their pictures stay whole.
bool sceneSetsOrigin(const std::string& key)
{
    return key == "zelt" || key == "drennmoor";
}

nlohmann::json readJson(const std::string& path)
{
    std::ifstream file(path);
    return nlohmann::json::parse(file, nullptr, false);
}

// One sprite entry read the way the sprite registry reads it.
struct SpriteEntry {
    std::string texture;
    sf::IntRect rect;
    sf::Vector2f origin;
    bool autocenter = false;
};

SpriteEntry readEntry(const nlohmann::json& entry, sf::Vector2u size)
{
    SpriteEntry sprite;
    sprite.texture = entry.at("texture").get<std::string>();
    sprite.autocenter = entry.value("autocenter", false);
    sprite.rect = sf::IntRect(entry.value("rectX", 0), entry.value("rectY", 0), entry.value("rectW", -1),
                              entry.value("rectH", -1));
    if (sprite.rect.width == -1)
        sprite.rect.width = static_cast<int>(size.x);
    if (sprite.rect.height == -1)
        sprite.rect.height = static_cast<int>(size.y);
    sprite.origin = sf::Vector2f(entry.value("originX", 0.0f), entry.value("originY", 0.0f));
    return sprite;
}

class ShippedSprites : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_textures = readJson("assets/textures.json");
        s_sprites = readJson("assets/sprites.json");
    }

    void SetUp() override
    {
        ASSERT_TRUE(s_textures.contains("textures")) << "assets/textures.json";
        ASSERT_TRUE(s_sprites.contains("sprites")) << "assets/sprites.json";
    }

    // The staged picture of texture `key`, loaded once.
    const sf::Image& picture(const std::string& key)
    {
        std::unique_ptr<sf::Image>& image = m_pictures[key];
        if (!image) {
            image = std::make_unique<sf::Image>();
            const std::string file = s_textures["textures"][key]["file"].get<std::string>();
            EXPECT_TRUE(image->loadFromFile(file)) << file;
        }
        return *image;
    }

    static nlohmann::json s_textures;
    static nlohmann::json s_sprites;
    std::map<std::string, std::unique_ptr<sf::Image>> m_pictures;
};

nlohmann::json ShippedSprites::s_textures;
nlohmann::json ShippedSprites::s_sprites;

// The first pixel with any opacity outside `rect`, as "(x, y)", or "" when there is none.
std::string visiblePixelOutside(const sf::Image& image, const sf::IntRect& rect)
{
    const sf::Vector2u size = image.getSize();
    const sf::Uint8* pixels = image.getPixelsPtr();
    for (unsigned y = 0; y < size.y; ++y) {
        for (unsigned x = 0; x < size.x; ++x) {
            if (pixels[(static_cast<std::size_t>(y) * size.x + x) * 4 + 3] == 0)
                continue;
            if (!rect.contains(static_cast<int>(x), static_cast<int>(y)))
                return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
        }
    }
    return "";
}
}

TEST_F(ShippedSprites, ShowEveryVisiblePixelOfTheirPicture)
{
    for (const auto& [key, entry] : s_sprites["sprites"].items()) {
        const SpriteEntry sprite = readEntry(entry, picture(entry["texture"].get<std::string>()).getSize());
        if (sprite.autocenter)
            continue;  // shows the whole texture whatever its rectangle says
        const std::string outside = visiblePixelOutside(picture(sprite.texture), sprite.rect);
        EXPECT_EQ(outside, "") << key << ": its rectangle (" << sprite.rect.left << ", " << sprite.rect.top << ", "
                               << sprite.rect.width << ", " << sprite.rect.height
                               << ") leaves out a visible pixel; run tools/crop_sprites.py again";
    }
}

// With the origin at minus the rectangle's corner, the picture's pixel (x, y) is drawn at
// the sprite's position + (x, y), scaled and turned about that point, as if it were whole.
TEST_F(ShippedSprites, KeepEveryPictureWhereItWasBeforeTheCrop)
{
    for (const auto& [key, entry] : s_sprites["sprites"].items()) {
        const sf::Vector2u size = picture(entry["texture"].get<std::string>()).getSize();
        const SpriteEntry sprite = readEntry(entry, size);
        if (sprite.autocenter || sceneSetsOrigin(key))
            continue;
        sf::Vector2f anchor(0.0f, 0.0f);
        if (key == "hook_3")
            anchor.x = static_cast<float>(size.x / 2);  // it hangs from its top centre
        if (key == "workshop_1")
            anchor.y = static_cast<float>(size.y) - 5760.0f;  // the bottom of its 5760-row canvas
        const sf::Vector2f placed(sprite.origin.x + static_cast<float>(sprite.rect.left),
                                  sprite.origin.y + static_cast<float>(sprite.rect.top));
        EXPECT_EQ(placed, anchor) << key << ": origin (" << sprite.origin.x << ", " << sprite.origin.y
                                  << ") does not match its rectangle (" << sprite.rect.left << ", "
                                  << sprite.rect.top << ")";
    }
}

TEST_F(ShippedSprites, LeaveTheOriginsThatTheOpeningSetsToAWholePicture)
{
    for (const char* key : {"zelt", "drennmoor"}) {
        const nlohmann::json& entry = s_sprites["sprites"][key];
        const SpriteEntry sprite = readEntry(entry, picture(entry["texture"].get<std::string>()).getSize());
        EXPECT_EQ(sprite.rect, sf::IntRect(0, 0, 1920, 1080)) << key;
    }
}

// A JPEG has no transparency: a picture stored as JPEG must have been opaque, or the rain
// behind it would stop showing. The full renders lie beside the game folder, in art/.
TEST_F(ShippedSprites, StoreOnlyOpaquePicturesAsJpeg)
{
    int checked = 0;
    for (const auto& [key, entry] : s_textures["textures"].items()) {
        const std::string file = entry["file"].get<std::string>();
        if (file.size() < 4 || file.substr(file.size() - 4) != ".jpg")
            continue;
        sf::Image full;
        if (!std::ifstream("../art/" + key + ".png") || !full.loadFromFile("../art/" + key + ".png"))
            continue;  // a build that copied its pictures from another has no renders
        ++checked;
        const sf::Uint8* pixels = full.getPixelsPtr();
        const std::size_t count = static_cast<std::size_t>(full.getSize().x) * full.getSize().y;
        std::size_t transparent = 0;
        for (std::size_t i = 0; i < count; ++i)
            transparent += pixels[i * 4 + 3] != 255 ? 1 : 0;
        EXPECT_EQ(transparent, 0u) << key << " is stored as JPEG but has " << transparent
                                   << " pixels that are not opaque";
    }
    if (checked == 0)
        GTEST_SKIP() << "no full renders in ../art to compare with";
}
