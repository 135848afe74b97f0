#include "assets/SpriteManager.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"
#include "core/ScreenFade.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

// These run the real frame function on the staged game folder. Each test is its own process,
// so the process-wide game starts fresh every time.
namespace {

// The colours of `target`'s picture other than `colour`, counted.
int pixelsOtherThan(const sf::RenderTexture& target, sf::Color colour)
{
    const sf::Image picture = target.getTexture().copyToImage();
    const sf::Uint8* pixel = picture.getPixelsPtr();
    const std::size_t count = std::size_t{picture.getSize().x} * picture.getSize().y;
    int others = 0;
    for (std::size_t i = 0; i < count; ++i, pixel += 4)
        others += sf::Color(pixel[0], pixel[1], pixel[2], pixel[3]) != colour ? 1 : 0;
    return others;
}

} // namespace

TEST(FrameLoop, AnIdWithoutASceneDrawsNothingAndWaits)
{
    ASSERT_TRUE(game().loadContent());
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(kScreenWidth, kScreenHeight));
    game().sceneId = 77;
    for (int frame = 0; frame < 40; ++frame)
        game().advance(0.25f);
    game().frame(0.25f, window);
    EXPECT_EQ(game().sceneId, 77);
    EXPECT_TRUE(game().running);
    // The picture under the vignette holds nothing at all.
    EXPECT_EQ(pixelsOtherThan(renderTexture(), sf::Color::Transparent), 0);
}

TEST(LoopScenes, WithoutBlackAndCreditsPicturesKeepTheirTimeAndDrawNothing)
{
    // Nothing is loaded: every look-up finds nothing.
    sf::RenderTexture target;
    ASSERT_TRUE(target.create(64, 64));
    target.clear(sf::Color::Red);
    BlackLeadIn leadIn;
    EXPECT_EQ(leadIn.frame(1.0f, target), -1);
    EXPECT_EQ(leadIn.frame(2.0f, target), 0);
    Credits credits;
    EXPECT_EQ(credits.frame(17.0f, target), 6);
    EXPECT_EQ(credits.frame(5.0f, target), 666);
    ScreenFade fade;
    fade.fadeOut(1.0f);
    fade.update(1.0f);
    fade.drawOverlay(target);
    target.display();
    EXPECT_EQ(pixelsOtherThan(target, sf::Color::Red), 0);
}
