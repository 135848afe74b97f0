#include "core/Game.hpp"
#include "core/GameWindow.hpp"
#include "core/Screen.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <cstdlib>

// What reaches a window of any size: at 1920 x 1080 exactly the picture the frame draws, in a
// window of another shape the same picture unscaled and centred between black bars, and in a
// smaller one the whole picture scaled down. The game's state is process-wide: one test.
namespace {

sf::Image presentedInto(unsigned width, unsigned height)
{
    sf::RenderTexture window;
    EXPECT_TRUE(window.create(width, height));
    fitFilm(window);
    game().present(window);
    window.display();
    return window.getTexture().copyToImage();
}

// The picture's pixels are the window's from (left, top) on; everything else is transparent black.
void expectFilmAt(const sf::Image& film, const sf::Image& window, unsigned left, unsigned top, const char* what)
{
    int wrong = 0;
    for (unsigned y = 0; y < window.getSize().y; ++y) {
        for (unsigned x = 0; x < window.getSize().x; ++x) {
            const bool inFilm = x >= left && y >= top && x - left < kScreenWidth && y - top < kScreenHeight;
            const sf::Color expected = inFilm ? film.getPixel(x - left, y - top) : sf::Color(0, 0, 0, 0);
            wrong += window.getPixel(x, y) != expected ? 1 : 0;
        }
    }
    EXPECT_EQ(wrong, 0) << what;
}

TEST(Presentation, ShowsTheWholeFilmUnchangedAtItsOwnSizeAndLetterboxedInAnyOther)
{
    ASSERT_TRUE(game().loadContent());
    sf::RenderTexture drawn;
    ASSERT_TRUE(drawn.create(kScreenWidth, kScreenHeight));
    // 18 s into the opening: the rain, the second close-up and the poem's first letters.
    for (int frame = 0; frame < 42; ++frame)
        game().frame(0.5f, drawn);
    drawn.display();
    const sf::Image film = drawn.getTexture().copyToImage();

    expectFilmAt(film, presentedInto(1920, 1080), 0, 0, "the film's own size");
    expectFilmAt(film, presentedInto(2560, 1080), 320, 0, "a wider window");
    expectFilmAt(film, presentedInto(1920, 1200), 0, 60, "a taller window");

    // Half the size: each window pixel is the mean of its 2 x 2 film pixels, give or take
    // the letters, which are drawn at the window's scale rather than filtered.
    const sf::Image half = presentedInto(960, 540);
    long difference = 0;
    for (unsigned y = 0; y < 540; ++y)
        for (unsigned x = 0; x < 960; ++x) {
            const int mean = (film.getPixel(2 * x, 2 * y).g + film.getPixel(2 * x + 1, 2 * y).g +
                              film.getPixel(2 * x, 2 * y + 1).g + film.getPixel(2 * x + 1, 2 * y + 1).g) / 4;
            difference += std::abs(half.getPixel(x, y).g - mean);
        }
    EXPECT_LT(static_cast<double>(difference) / (960 * 540), 2.0) << "scaled down whole, not cropped or stretched";
}

} // namespace
