#include "assets/PictureCover.hpp"
#include "assets/PictureDrawing.hpp"
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

// A picture is drawn only where it shows something, and opaque pictures without blending:
// what reaches the screen must be the very same pixels as a plain alpha-blended draw.
namespace {

constexpr int kTile = PictureCover::kTile;

std::vector<sf::IntRect> rectanglesOf(const PictureCover& cover, const sf::IntRect& area)
{
    std::vector<sf::IntRect> rectangles;
    cover.forEachShownRectangle(area, [&rectangles](const sf::IntRect& cut) { rectangles.push_back(cut); });
    return rectangles;
}

sf::Image transparentImage(unsigned width, unsigned height)
{
    sf::Image image;
    image.create(width, height, sf::Color::Transparent);
    return image;
}

// Small deterministic noise, so that a texel taken from the wrong place shows.
sf::Color noise(unsigned x, unsigned y, unsigned salt)
{
    unsigned h = x * 374761393u + y * 668265263u + salt * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return sf::Color(h & 255, (h >> 8) & 255, (h >> 16) & 255, (h >> 24) & 255);
}

// Mostly transparent, with noisy blobs of every alpha, a lone faint pixel and a ragged edge.
sf::Image sparsePicture()
{
    sf::Image image = transparentImage(300, 200);
    for (unsigned y = 0; y < 200; ++y)
        for (unsigned x = 0; x < 300; ++x) {
            const bool blob = (x > 20 && x < 90 && y > 30 && y < 75) || (x > 150 && x < 290 && y > 140) ||
                              (x + y > 200 && x + y < 215);
            if (blob)
                image.setPixel(x, y, noise(x, y, 1));
        }
    image.setPixel(233, 7, sf::Color(255, 255, 255, 1));
    return image;
}

sf::Image opaquePicture()
{
    sf::Image image;
    image.create(120, 90);
    for (unsigned y = 0; y < 90; ++y)
        for (unsigned x = 0; x < 120; ++x) {
            sf::Color colour = noise(x, y, 2);
            colour.a = 255;
            image.setPixel(x, y, colour);
        }
    return image;
}

} // namespace

TEST(PictureCover, MarksTheTilesWithAnyVisiblePixelOrOneBesideThemAndGivesThemAsRectanglesCutToTheArea)
{
    // 6 by 4 tiles, the last column and row only partly inside the picture.
    sf::Image image = transparentImage(5 * kTile + 10, 3 * kTile + 6);
    image.setPixel(kTile + 3, kTile + 5, sf::Color(0, 0, 0, 1));                // tile (1, 1)
    image.setPixel(5 * kTile + 9, 3 * kTile + 5, sf::Color(9, 9, 9, 200));      // tile (5, 3), the corner
    image.setPixel(3 * kTile - 1, 2 * kTile, sf::Color(9, 9, 9, 255));          // (2, 2), on the edges of (3, 1)
    image.setPixel(3 * kTile + 1, 1, sf::Color(255, 255, 255, 0));              // white but invisible
    const PictureCover cover(image);
    EXPECT_FALSE(cover.opaque());
    EXPECT_TRUE(cover.hasEmptyTiles());

    const sf::IntRect whole(0, 0, 5 * kTile + 10, 3 * kTile + 6);
    EXPECT_EQ(rectanglesOf(cover, whole), (std::vector<sf::IntRect>{{kTile, kTile, 3 * kTile, kTile},
                                                               {2 * kTile, 2 * kTile, 2 * kTile, kTile},
                                                               {5 * kTile, 3 * kTile, 10, 6}}));
    // An area reaching past the picture is cut to it; one inside tiles gives that much.
    EXPECT_EQ(rectanglesOf(cover, {-50, -50, 5000, 5000}), rectanglesOf(cover, whole));
    EXPECT_EQ(rectanglesOf(cover, {kTile + 2, 3, 4, 2 * kTile}), (std::vector<sf::IntRect>{{kTile + 2, kTile, 4, kTile}}));
    EXPECT_TRUE(rectanglesOf(cover, {0, 0, 5 * kTile, kTile}).empty()) << "nothing visible near the top row";
    EXPECT_TRUE(rectanglesOf(cover, {0, 0, 0, 10}).empty()) << "an empty area";

    // A line down the second tile column: its three rows make one rectangle.
    sf::Image full = transparentImage(3 * kTile, 3 * kTile);
    for (unsigned y = 0; y < 3 * kTile; ++y)
        full.setPixel(kTile + 5, y, sf::Color(1, 1, 1, 30));
    EXPECT_EQ(rectanglesOf(PictureCover(full), {0, 0, 3 * kTile, 3 * kTile}),
              (std::vector<sf::IntRect>{{kTile, 0, kTile, 3 * kTile}}));
    full.setPixel(0, 0, sf::Color(1, 1, 1, 30));
    full.setPixel(3 * kTile - 1, 3 * kTile - 1, sf::Color(1, 1, 1, 30));
    full.setPixel(kTile, kTile, sf::Color(1, 1, 1, 30));
    full.setPixel(2 * kTile, kTile, sf::Color(1, 1, 1, 30));
    EXPECT_EQ(rectanglesOf(PictureCover(full), {0, 0, 3 * kTile, 3 * kTile}),
              (std::vector<sf::IntRect>{{0, 0, 3 * kTile, 2 * kTile}, {kTile, 2 * kTile, 2 * kTile, kTile}}));
    EXPECT_TRUE(PictureCover(full).hasEmptyTiles());
    full.setPixel(kTile - 1, 2 * kTile, sf::Color(1, 1, 1, 30));
    EXPECT_FALSE(PictureCover(full).hasEmptyTiles()) << "every tile has a visible pixel in or beside it";
    EXPECT_EQ(rectanglesOf(PictureCover(full), {0, 0, 3 * kTile, 3 * kTile}),
              (std::vector<sf::IntRect>{{0, 0, 3 * kTile, 3 * kTile}}));
}

TEST(PictureCover, OpaqueOnlyWhenEveryPixelIsAndNeverForAPictureOfNoSize)
{
    sf::Image image = opaquePicture();
    EXPECT_TRUE(PictureCover(image).opaque());
    EXPECT_FALSE(PictureCover(image).hasEmptyTiles());
    image.setPixel(119, 89, sf::Color(10, 10, 10, 254));
    EXPECT_FALSE(PictureCover(image).opaque()) << "the very last pixel counts";

    const PictureCover none;
    EXPECT_FALSE(none.opaque());
    EXPECT_FALSE(none.hasEmptyTiles());
    EXPECT_TRUE(rectanglesOf(none, {0, 0, 100, 100}).empty());
}

// Each case draws one sprite over a noisy background twice, plainly and through drawPicture,
// and compares every byte. Loading textures needs the display the test command provides.
class PictureDrawing : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sparsePicture().saveToFile(dir.path() + "/sparse.png"));
        ASSERT_TRUE(opaquePicture().saveToFile(dir.path() + "/opaque.png"));
        ASSERT_TRUE(textures.add("sparse", dir.path() + "/sparse.png", false));
        ASSERT_TRUE(textures.add("opaque", dir.path() + "/opaque.png", false));
        ASSERT_NE(textures.cover(textures.get("sparse")), nullptr);
        ASSERT_TRUE(textures.cover(textures.get("sparse"))->hasEmptyTiles());
        ASSERT_NE(textures.cover(textures.get("opaque")), nullptr);
        ASSERT_TRUE(textures.cover(textures.get("opaque"))->opaque());

        background.create(400, 300);
        for (unsigned y = 0; y < 300; ++y)
            for (unsigned x = 0; x < 400; ++x)
                background.setPixel(x, y, noise(x, y, 3));
        ASSERT_TRUE(backgroundTexture.loadFromImage(background));
        ASSERT_TRUE(target.create(400, 300));
    }

    // The target's pixels after the background and then `sprite`, drawn plainly or not.
    std::vector<sf::Uint8> draw(const sf::Sprite& sprite, bool throughDrawPicture)
    {
        target.clear(sf::Color::Transparent);
        target.draw(sf::Sprite(backgroundTexture), sf::RenderStates(sf::BlendNone));
        if (throughDrawPicture)
            drawPicture(sprite, target, textures);
        else
            target.draw(sprite);
        target.display();
        const sf::Image shown = target.getTexture().copyToImage();
        return std::vector<sf::Uint8>(shown.getPixelsPtr(), shown.getPixelsPtr() + 400 * 300 * 4);
    }

    void expectSamePixels(const sf::Sprite& sprite, const std::string& what)
    {
        const std::vector<sf::Uint8> plain = draw(sprite, false);
        const std::vector<sf::Uint8> drawn = draw(sprite, true);
        std::size_t differing = 0;
        for (std::size_t i = 0; i < plain.size(); ++i)
            differing += plain[i] != drawn[i];
        EXPECT_EQ(differing, 0u) << what;
        EXPECT_NE(plain, draw(sf::Sprite(), false)) << what << ": the sprite shows at all";
    }

    TempDir dir;
    TextureManager textures;
    sf::Image background;
    sf::Texture backgroundTexture;
    sf::RenderTexture target;
};

TEST_F(PictureDrawing, GivesThePixelsOfAPlainBlendedDraw)
{
    sf::Sprite sparse(*textures.get("sparse"));
    sparse.setPosition(37.3f, 21.7f);
    expectSamePixels(sparse, "a sparse picture at a fractional place");

    sparse.setOrigin(12.0f, 30.0f);
    sparse.setTextureRect({15, 25, 260, 170});
    sparse.setColor(sf::Color(200, 120, 255, 140));
    sparse.setPosition(-20.5f, 160.5f);
    expectSamePixels(sparse, "part of it, tinted, half off the target");

    sparse.setScale(1.5f, 0.75f);
    expectSamePixels(sparse, "scaled, drawn whole");
    sparse.setScale(1.0f, 1.0f);
    sparse.setRotation(17.0f);
    expectSamePixels(sparse, "turned, drawn whole");

    sparse.setRotation(0.0f);
    sparse.setTextureRect({-40, 60, 400, 100});
    expectSamePixels(sparse, "reaching past its picture, drawn whole");
    textures.get("sparse")->setRepeated(true);
    expectSamePixels(sparse, "repeated past its picture, drawn whole");

    sf::Sprite opaque(*textures.get("opaque"));
    opaque.setPosition(201.6f, 88.4f);
    opaque.setRotation(-8.0f);
    expectSamePixels(opaque, "an opaque picture, unblended");
    opaque.setColor(sf::Color(255, 255, 255, 254));
    expectSamePixels(opaque, "the same nearly opaque, blended");
}

TEST_F(PictureDrawing, AFullyTransparentSpriteLeavesTheTargetAsItWas)
{
    sf::Sprite sprite(*textures.get("opaque"));
    sprite.setColor(sf::Color(255, 255, 255, 0));
    EXPECT_EQ(draw(sprite, true), draw(sf::Sprite(), false));
}
