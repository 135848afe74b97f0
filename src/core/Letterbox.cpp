#include "core/Letterbox.hpp"

#include "core/Screen.hpp"

#include <algorithm>

namespace {
// Room left on a desktop smaller than the film for a panel, the title bar and the frame.
constexpr unsigned kDesktopMarginX = 64;
constexpr unsigned kDesktopMarginY = 120;

// The largest 16:9 size inside `room`, in whole pixels, at least 1 x 1.
sf::Vector2u largestFilmSize(unsigned roomWidth, unsigned roomHeight)
{
    // Width and height from the same integer ratio, so that neither is rounded up past the room.
    const unsigned long long byHeight =
        static_cast<unsigned long long>(roomHeight) * kScreenWidth / kScreenHeight;
    unsigned width = roomWidth;
    unsigned height = static_cast<unsigned>(static_cast<unsigned long long>(roomWidth) * kScreenHeight / kScreenWidth);
    if (byHeight < roomWidth) {
        width = static_cast<unsigned>(byHeight);
        height = roomHeight;
    }
    return {std::max(width, 1u), std::max(height, 1u)};
}
}

sf::IntRect letterboxPixels(sf::Vector2u windowSize)
{
    if (windowSize.x == 0 || windowSize.y == 0)
        return {0, 0, static_cast<int>(windowSize.x), static_cast<int>(windowSize.y)};
    const sf::Vector2u film = largestFilmSize(windowSize.x, windowSize.y);
    const int width = static_cast<int>(std::min(film.x, windowSize.x));
    const int height = static_cast<int>(std::min(film.y, windowSize.y));
    return {(static_cast<int>(windowSize.x) - width) / 2, (static_cast<int>(windowSize.y) - height) / 2, width,
            height};
}

sf::FloatRect letterboxViewport(sf::Vector2u windowSize)
{
    if (windowSize.x == 0 || windowSize.y == 0)
        return {0.0f, 0.0f, 1.0f, 1.0f};
    const sf::IntRect pixels = letterboxPixels(windowSize);
    const float width = static_cast<float>(windowSize.x);
    const float height = static_cast<float>(windowSize.y);
    return {pixels.left / width, pixels.top / height, pixels.width / width, pixels.height / height};
}

sf::View letterboxView(sf::Vector2u windowSize)
{
    sf::View view(sf::FloatRect(0.0f, 0.0f, static_cast<float>(kScreenWidth), static_cast<float>(kScreenHeight)));
    view.setViewport(letterboxViewport(windowSize));
    return view;
}

sf::Vector2u windowedSize(sf::Vector2u desktop)
{
    if (desktop.x >= kScreenWidth && desktop.y >= kScreenHeight)
        return {kScreenWidth, kScreenHeight};
    // On a very small desktop the margins shrink with it, to a quarter at most.
    const unsigned roomWidth = desktop.x - std::min(kDesktopMarginX, desktop.x / 4);
    const unsigned roomHeight = desktop.y - std::min(kDesktopMarginY, desktop.y / 4);
    return largestFilmSize(std::min(roomWidth, kScreenWidth), std::min(roomHeight, kScreenHeight));
}

sf::Vector2i centredPosition(sf::Vector2u size, sf::Vector2u desktop)
{
    const int x = (static_cast<int>(desktop.x) - static_cast<int>(size.x)) / 2;
    const int y = (static_cast<int>(desktop.y) - static_cast<int>(size.y)) / 2;
    return {std::max(x, 0), std::max(y, 0)};
}

sf::Vector2u windowedSize(const WorkArea& workArea)
{
    // A frame as large as the area leaves no room: the smallest window rather than none.
    const auto room = [](int area, unsigned frame) {
        return area > static_cast<int>(frame) ? static_cast<unsigned>(area) - frame : 1u;
    };
    const unsigned roomWidth = room(workArea.area.width, workArea.frame.left + workArea.frame.right);
    const unsigned roomHeight = room(workArea.area.height, workArea.frame.top + workArea.frame.bottom);
    return largestFilmSize(std::min(roomWidth, kScreenWidth), std::min(roomHeight, kScreenHeight));
}

sf::Vector2i centredPosition(sf::Vector2u size, const WorkArea& workArea)
{
    const WindowFrame& frame = workArea.frame;
    const int frameWidth = static_cast<int>(size.x + frame.left + frame.right);
    const int frameHeight = static_cast<int>(size.y + frame.top + frame.bottom);
    const int x = (workArea.area.width - frameWidth) / 2;
    const int y = (workArea.area.height - frameHeight) / 2;
    return {workArea.area.left + std::max(x, 0), workArea.area.top + std::max(y, 0)};
}
