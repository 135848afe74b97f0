// The staged pictures against their full renders and the two registry files: each picture
// is stored cut down to what a scene can show of it ("crop" in assets/textures.json), or
// its sprite shows only that rectangle of it (tools/crop_pictures.py), and the cut must
// neither lose a visible pixel nor move the picture on screen. The tests run in the staged game folder; the full renders lie beside
// it in ../art (a build that copied its pictures from another has none, and skips those).

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Rect.hpp>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <map>
#include <memory>
#include <string>

namespace {
using json = nlohmann::json;

json readJson(const std::string& path)
{
    std::ifstream file(path);
    return json::parse(file, nullptr, false);
}

bool endsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The part of its render that a texture keeps; the whole render without "crop".
sf::IntRect cropOf(const json& texture, sf::Vector2u renderSize)
{
    if (!texture.contains("crop"))
        return sf::IntRect(0, 0, static_cast<int>(renderSize.x), static_cast<int>(renderSize.y));
    const json& crop = texture["crop"];
    return sf::IntRect(crop[0].get<int>(), crop[1].get<int>(), crop[2].get<int>(), crop[3].get<int>());
}

const sf::Uint8* pixelAt(const sf::Image& image, unsigned x, unsigned y)
{
    return image.getPixelsPtr() + (static_cast<std::size_t>(y) * image.getSize().x + x) * 4;
}

bool samePixel(const sf::Uint8* a, const sf::Uint8* b)
{
    return a[0] == b[0] && a[1] == b[1] && a[2] == b[2] && a[3] == b[3];
}

std::string at(unsigned x, unsigned y)
{
    return "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

// The first row of a picture that a scene ever shows: the workshop's view rises from rows
// 4680-5760 to 2280-3360 and no higher.
unsigned firstShownRow(const std::string& key)
{
    return key == "workshop_1" ? 2280 : 0;
}

// The first pixel of `render` from row `top` on with any opacity outside `box`, or "" when
// there is none.
std::string visiblePixelOutside(const sf::Image& render, const sf::IntRect& box, unsigned top)
{
    for (unsigned y = top; y < render.getSize().y; ++y) {
        for (unsigned x = 0; x < render.getSize().x; ++x) {
            if (pixelAt(render, x, y)[3] != 0 && !box.contains(static_cast<int>(x), static_cast<int>(y)))
                return at(x, y);
        }
    }
    return "";
}

// The first pixel where `render` differs from `stored` laid over it from `box`'s corner,
// repeated when `tiled`, or "" when they agree.
std::string differenceFromRender(const sf::Image& render, const sf::Image& stored, const sf::IntRect& box,
                                 bool tiled)
{
    const sf::Vector2u size = stored.getSize();
    if (!tiled && (size.x != static_cast<unsigned>(box.width) || size.y != static_cast<unsigned>(box.height)))
        return "size " + at(size.x, size.y);
    const unsigned width = tiled ? render.getSize().x : size.x;
    const unsigned height = tiled ? render.getSize().y : size.y;
    for (unsigned y = 0; y < height; ++y) {
        for (unsigned x = 0; x < width; ++x) {
            const unsigned renderX = tiled ? x : x + static_cast<unsigned>(box.left);
            const unsigned renderY = tiled ? y : y + static_cast<unsigned>(box.top);
            if (!samePixel(pixelAt(render, renderX, renderY), pixelAt(stored, x % size.x, y % size.y)))
                return at(renderX, renderY);
        }
    }
    return "";
}

class ShippedPictures : public testing::Test {
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

    // The full render of picture `key`, loaded once; null when the build has none.
    const sf::Image* render(const std::string& key)
    {
        return load(m_renders, key, "../art/" + key + ".png");
    }

    // The staged picture of texture `key`, loaded once.
    const sf::Image* stored(const std::string& key)
    {
        const sf::Image* image = load(m_stored, key, s_textures["textures"][key]["file"].get<std::string>());
        EXPECT_NE(image, nullptr) << key;
        return image;
    }

    static json s_textures;
    static json s_sprites;

private:
    static const sf::Image* load(std::map<std::string, std::unique_ptr<sf::Image>>& cache, const std::string& key,
                                 const std::string& file)
    {
        auto found = cache.find(key);
        if (found == cache.end()) {
            auto image = std::make_unique<sf::Image>();
            if (!std::ifstream(file) || !image->loadFromFile(file))
                image.reset();
            found = cache.emplace(key, std::move(image)).first;
        }
        return found->second.get();
    }

    std::map<std::string, std::unique_ptr<sf::Image>> m_renders;
    std::map<std::string, std::unique_ptr<sf::Image>> m_stored;
};

json ShippedPictures::s_textures;
json ShippedPictures::s_sprites;
}

// What a sprite shows of its render: the rectangle of its texture, which is the render's
// crop. The render's pixels with any opacity must all lie in it.
TEST_F(ShippedPictures, ShowEveryPixelThatAShownPartOfTheirRenderHolds)
{
    int checked = 0;
    for (const auto& [key, sprite] : s_sprites["sprites"].items()) {
        const std::string textureKey = sprite["texture"].get<std::string>();
        const json& texture = s_textures["textures"][textureKey];
        const sf::Image* full = render(textureKey);
        if (full == nullptr || texture.value("repeated", false) || sprite.value("autocenter", false))
            continue;
        ++checked;
        const sf::IntRect crop = cropOf(texture, full->getSize());
        const sf::IntRect shown(crop.left + sprite.value("rectX", 0), crop.top + sprite.value("rectY", 0),
                                sprite.value("rectW", crop.width), sprite.value("rectH", crop.height));
        EXPECT_EQ(visiblePixelOutside(*full, shown, firstShownRow(textureKey)), "")
            << key << ": its crop leaves out a visible pixel; run tools/crop_pictures.py again";
    }
    if (checked == 0)
        GTEST_SKIP() << "no full renders in ../art";
}

TEST_F(ShippedPictures, StoreExactlyTheCroppedPartOfTheirRender)
{
    int checked = 0;
    for (const auto& [key, texture] : s_textures["textures"].items()) {
        const sf::Image* full = render(key);
        const std::string file = texture["file"].get<std::string>();
        if (full == nullptr || endsWith(file, ".jpg"))
            continue;  // a JPEG is near its render, not equal to it
        ++checked;
        const sf::Image* picture = stored(key);
        ASSERT_NE(picture, nullptr);
        EXPECT_EQ(differenceFromRender(*full, *picture, cropOf(texture, full->getSize()),
                                       texture.value("repeated", false)),
                  "")
            << key << ": the staged " << file << " is not its render as assets/textures.json crops it";
    }
    if (checked == 0)
        GTEST_SKIP() << "no full renders in ../art";
}

// A sprite's origin moved by minus the crop draws every pixel of the render where the whole
// render would have put it: at the sprite's position plus that pixel's place in the render,
// scaled and turned about the same point.
TEST_F(ShippedPictures, StayWhereTheirWholeRenderWouldBe)
{
    for (const auto& [key, sprite] : s_sprites["sprites"].items()) {
        if (sprite.value("autocenter", false))
            continue;
        const json& texture = s_textures["textures"][sprite["texture"].get<std::string>()];
        const sf::Image* full = render(sprite["texture"].get<std::string>());
        const sf::IntRect crop = cropOf(texture, full ? full->getSize() : sf::Vector2u(0, 0));
        sf::Vector2f anchor(0.0f, 0.0f);
        if (key == "hook_3") {
            if (full == nullptr)
                continue;
            anchor.x = static_cast<float>(full->getSize().x / 2);  // it hangs from its top centre
        }
        const float placedX = sprite.value("originX", 0.0f) + static_cast<float>(sprite.value("rectX", 0) + crop.left);
        const float placedY = sprite.value("originY", 0.0f) + static_cast<float>(sprite.value("rectY", 0) + crop.top);
        EXPECT_EQ(sf::Vector2f(placedX, placedY), anchor)
            << key << ": its origin does not undo the crop (" << crop.left << ", " << crop.top << ")";
    }
}

TEST_F(ShippedPictures, CoverTheWholeCanvasWhenRepeated)
{
    for (const auto& [key, sprite] : s_sprites["sprites"].items()) {
        const json& texture = s_textures["textures"][sprite["texture"].get<std::string>()];
        const sf::Image* full = render(sprite["texture"].get<std::string>());
        if (!texture.value("repeated", false) || full == nullptr)
            continue;
        EXPECT_EQ(sf::Vector2u(sprite.value("rectW", 0u), sprite.value("rectH", 0u)), full->getSize()) << key;
    }
}

// The opening scene sets these two sprites' origins itself, about the whole picture.
TEST_F(ShippedPictures, LeaveTheOpeningsLogoAndTitleWhole)
{
    for (const char* key : {"zelt", "drennmoor"}) {
        EXPECT_FALSE(s_textures["textures"][key].contains("crop")) << key;
        for (const char* member : {"rectX", "rectY", "rectW", "rectH", "originX", "originY"})
            EXPECT_FALSE(s_sprites["sprites"][key].contains(member)) << key << " " << member;
    }
}

// A JPEG has no transparency: a picture stored as JPEG must have been opaque, or the rain
// behind it would stop showing through.
TEST_F(ShippedPictures, StoreOnlyOpaquePicturesAsJpeg)
{
    int checked = 0;
    for (const auto& [key, texture] : s_textures["textures"].items()) {
        const sf::Image* full = render(key);
        if (full == nullptr || !endsWith(texture["file"].get<std::string>(), ".jpg"))
            continue;
        ++checked;
        std::size_t seeThrough = 0;
        for (unsigned y = 0; y < full->getSize().y; ++y) {
            for (unsigned x = 0; x < full->getSize().x; ++x)
                seeThrough += pixelAt(*full, x, y)[3] != 255 ? 1 : 0;
        }
        EXPECT_EQ(seeThrough, 0u) << key << " is stored as JPEG but " << seeThrough << " of its pixels are not opaque";
    }
    if (checked == 0)
        GTEST_SKIP() << "no full renders in ../art of pictures stored as JPEG";
}
