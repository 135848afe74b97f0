#include "TextFixtures.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

namespace {
// Bright pixels of `style` drawn over black.
int litPixels(const TextSystem& style, sf::RenderTexture& target)
{
    target.clear(sf::Color::Black);
    style.draw(target);
    target.display();
    const sf::Image image = target.getTexture().copyToImage();
    int lit = 0;
    for (unsigned y = 0; y < image.getSize().y; ++y) {
        for (unsigned x = 0; x < image.getSize().x; ++x)
            lit += image.getPixel(x, y).r > 128 ? 1 : 0;
    }
    return lit;
}
}

TEST(TextDraw, AFinishedLineStaysOnScreenUnlessItFadedOut)
{
    auto steady = buildStyle(styleEntry({{"size", 80}, {"fade_duration", 0.1}}));
    auto fading = buildStyle(styleEntry({{"size", 80}, {"fade_duration", 0.1}, {"fade_out", true}}));
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(300, 200));
    steady->playLine("HH", 0.5f, 0.5f, 20.0f, 100.0f);
    fading->playLine("HH", 0.5f, 0.5f, 20.0f, 100.0f);
    EXPECT_EQ(litPixels(*steady, target), 0);  // waiting for its delay

    advance(*steady, 20, 0.1f);
    advance(*fading, 20, 0.1f);
    ASSERT_FALSE(steady->instances[0].inUse);
    EXPECT_GT(litPixels(*steady, target), 500);
    EXPECT_EQ(litPixels(*fading, target), 0);

    steady->playLine("HH", 5.0f, 0.5f, 20.0f, 100.0f);
    EXPECT_EQ(litPixels(*steady, target), 0);
}
