#include "core/Letterbox.hpp"

#include <gtest/gtest.h>

#include <cstdlib>

// The film on a window of any size: uniformly scaled, centred, the bars where the shapes
// differ, and a windowed game that always fits its desktop.
namespace {

struct WindowCase {
    unsigned width, height;
    sf::IntRect film;  // where the 1920 x 1080 picture lands, in window pixels
};

TEST(Letterbox, FitsTheFilmUniformlyAndCentredInAnyWindow)
{
    const WindowCase cases[] = {
        {1920, 1080, {0, 0, 1920, 1080}},      // the film's own size
        {1280, 720, {0, 0, 1280, 720}},        // 16:9, smaller
        {3840, 2160, {0, 0, 3840, 2160}},      // 16:9, larger
        {2560, 1080, {320, 0, 1920, 1080}},    // wider: bars left and right
        {1920, 1200, {0, 60, 1920, 1080}},     // taller: bars above and below
        {1280, 1024, {0, 152, 1280, 720}},
        {1366, 768, {0, 0, 1365, 768}},        // not quite 16:9: never past the window
        {16, 9, {0, 0, 16, 9}},                // tiny
        {1, 1, {0, 0, 1, 1}},
        {100, 1, {49, 0, 1, 1}},
    };
    for (const WindowCase& c : cases)
        EXPECT_EQ(letterboxPixels({c.width, c.height}), c.film) << c.width << "x" << c.height;
    // A window with no area still gets a usable view.
    EXPECT_EQ(letterboxViewport({0, 0}), sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f));
}

TEST(Letterbox, TheWindowedGameFitsItsDesktopCentred)
{
    const sf::Vector2u desktops[] = {{3840, 2160}, {2560, 1440}, {1920, 1200}, {1920, 1080},
                                    {1366, 768},  {1280, 1024}, {1024, 768},  {800, 600}, {640, 120}};
    for (const sf::Vector2u desktop : desktops) {
        SCOPED_TRACE(testing::Message() << desktop.x << "x" << desktop.y);
        const sf::Vector2u size = windowedSize(desktop);
        const sf::Vector2i position = centredPosition(size, desktop);
        if (desktop.x >= 1920 && desktop.y >= 1080) {
            EXPECT_EQ(size, sf::Vector2u(1920, 1080));
        } else {
            // Room to spare for a panel and the title bar, and the film's own shape.
            EXPECT_LT(size.x, desktop.x);
            EXPECT_LT(size.y, desktop.y);
            EXPECT_NEAR(static_cast<double>(size.x) / size.y, 16.0 / 9.0, 0.01);
        }
        EXPECT_GE(position.y, 0);
        EXPECT_LE(position.y + size.y, desktop.y);
        EXPECT_LE(std::abs(position.x * 2 + static_cast<int>(size.x) - static_cast<int>(desktop.x)), 1) << "centred";
    }
}

TEST(Letterbox, TheWindowedGamesFrameFitsTheWorkAreaCentred)
{
    struct WorkAreaCase {
        const char* desktop;
        WorkArea workArea;
        sf::Vector2u client;
        sf::Vector2i frameCorner;
    };
    const WindowFrame wine{4, 23, 4, 4};
    const WindowFrame windows11{8, 31, 8, 8};
    const WorkAreaCase cases[] = {
        // The most common screen: the title bar and borders take rows and columns from the film.
        {"1920x1080 under Wine", {{0, 0, 1920, 1080}, wine}, {1872, 1053}, {20, 0}},
        {"1920x1080 above a 48 px taskbar", {{0, 0, 1920, 1032}, windows11}, {1765, 993}, {69, 0}},
        {"1366x768 under Wine", {{0, 0, 1366, 768}, wine}, {1317, 741}, {20, 0}},
        // Room to spare: the film's own size, centred in what the panel leaves.
        {"2560x1440 above a panel", {{0, 0, 2560, 1400}, wine}, {1920, 1080}, {316, 146}},
        // A panel on top or on the left moves the area's corner.
        {"a panel on top", {{0, 30, 1920, 1050}, {1, 20, 1, 5}}, {1822, 1025}, {48, 30}},
        {"a panel on the left", {{48, 0, 1872, 1080}, {}}, {1872, 1053}, {48, 13}},
        // A frame larger than the area: the smallest window, at the area's corner.
        {"a frame past the area", {{0, 0, 10, 10}, wine}, {1, 1}, {0, 0}},
    };
    for (const WorkAreaCase& c : cases) {
        EXPECT_EQ(windowedSize(c.workArea), c.client) << c.desktop;
        EXPECT_EQ(centredPosition(c.client, c.workArea), c.frameCorner) << c.desktop;
    }
}

} // namespace
