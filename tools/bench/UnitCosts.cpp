#include "UnitCosts.hpp"

#include "assets/SpriteManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>

namespace {
constexpr int kRepeats = 15;
constexpr int kLayers = 4;
constexpr int kSmallSprites = 400;

// Median milliseconds of `repeats` runs of: clear `target`, `draw`, finish.
template <typename Draw>
double medianMilliseconds(sf::RenderTexture& target, Draw draw)
{
    std::vector<double> times;
    for (int run = 0; run < kRepeats; ++run) {
        const auto start = std::chrono::steady_clock::now();
        target.clear(sf::Color(0, 0, 0, 0));
        draw();
        target.display();
        target.setActive(true);
        glFinish();
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRepeats / 2, times.end());
    return times[kRepeats / 2];
}

std::string line(const char* what, double milliseconds)
{
    char text[160];
    std::snprintf(text, sizeof text, "  %-52s %8.3f ms", what, milliseconds);
    return text;
}
}

std::vector<std::string> UnitCosts::measure(sf::RenderTexture& target)
{
    const sf::Sprite* layerSprite = SpriteManager::instance().get("scylla_3");
    const sf::Sprite* dropSprite = SpriteManager::instance().get("rain_0");
    if (layerSprite == nullptr || dropSprite == nullptr)
        return {"  (no unit costs: the sprites scylla_3 and rain_0 are missing)"};
    // Copies, so that the game's shared sprites keep their state.
    sf::Sprite layer = *layerSprite;
    layer.setPosition(0.0f, 0.0f);
    layer.setColor(sf::Color(255, 255, 255, 153));
    sf::Sprite drop = *dropSprite;

    const double empty = medianMilliseconds(target, [] {});
    const double layers = medianMilliseconds(target, [&] {
        for (int i = 0; i < kLayers; ++i)
            target.draw(layer);
    });
    const double drops = medianMilliseconds(target, [&] {
        for (int i = 0; i < kSmallSprites; ++i) {
            drop.setPosition(static_cast<float>(i * 37 % 1900), static_cast<float>(i * 53 % 1000));
            target.draw(drop);
        }
    });
    return {"unit costs on this machine (median of " + std::to_string(kRepeats) + "):",
            line("one full-screen blended layer (fill 1 screen)", (layers - empty) / kLayers),
            line("one small sprite: one draw call (a drop, a letter)", (drops - empty) / kSmallSprites)};
}
