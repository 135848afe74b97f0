#include "core/Game.hpp"
#include "core/ScreenFade.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>

#include <gtest/gtest.h>

#include <algorithm>

// The credits through the game's own frame function, at a fixed 1/10 s. The frames run
// undrawn (the same film, to the bit, as drawn ones), and only the frames the test looks at
// are drawn.
TEST(FilmEnd, CreditsFadeInShowForSixteenSecondsFadeOutAndQuit)
{
    constexpr float kDt = 1.0f / 10.0f;
    constexpr int kGrain = 10;  // the brightest a black picture shows through the vignette's grain
    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1920, 1080));
    ASSERT_TRUE(game().loadContent());
    long frames = 0;
    // Runs undrawn frames until `seconds` have passed since the credits began.
    const auto runTo = [&](float seconds) {
        for (; static_cast<float>(frames) * kDt < seconds - 1e-3f; ++frames)
            game().advance(kDt);
    };
    // Draws the next frame; the brightest colour component of the picture right of the poem
    // (on black, the film grain's few steps).
    const auto drawNextFrame = [&] {
        game().frame(kDt, window);
        ++frames;
        window.display();
        const sf::Image picture = window.getTexture().copyToImage();
        int brightest = 0;
        for (unsigned int y = 0; y < 1080; y += 10)
            for (unsigned int x = 1300; x < 1920; x += 10) {
                const sf::Color pixel = picture.getPixel(x, y);
                brightest = std::max({brightest, int(pixel.r), int(pixel.g), int(pixel.b)});
            }
        return brightest;
    };

    game().sceneId = Game::kCredits;
    runTo(0.1f);
    EXPECT_EQ(screenFade().direction, FadeDirection::In);
    runTo(0.2f);
    EXPECT_GT(screenFade().alpha, 0.9f);  // black, clearing
    runTo(2.2f);
    EXPECT_EQ(screenFade().alpha, 0.0f);
    runTo(10.0f);
    EXPECT_GT(drawNextFrame(), 40);  // the credits show

    runTo(15.9f);
    EXPECT_EQ(screenFade().direction, FadeDirection::In);
    runTo(16.2f);
    EXPECT_EQ(screenFade().direction, FadeDirection::Out);
    runTo(18.4f);
    EXPECT_EQ(screenFade().alpha, 1.0f);

    // The quit 4 s after the fade-out began; the frame that finds it is the last, and black.
    runTo(19.9f);
    EXPECT_EQ(game().sceneId, Game::kCredits);
    for (; game().sceneId != Game::kQuit && frames < 21 * 10; ++frames)
        game().advance(kDt);
    EXPECT_LE(static_cast<float>(frames) * kDt, 20.0f + 2 * kDt);
    EXPECT_TRUE(game().running);
    EXPECT_LT(drawNextFrame(), kGrain);
    EXPECT_FALSE(game().running);
}
