#include "PreviewBench.hpp"

#include "FilmFrames.hpp"

#include "core/Diagnostics.hpp"
#include "core/FilmOrder.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
constexpr int kRepeats = 5;

struct Move {
    const char* what;
    double from;  // seconds
    double to;
};

// From the film showing `from` to the film showing `to`, as the preview goes back.
double millisecondsOf(const FilmFrames& frames, sf::RenderTexture& picture, const Move& move)
{
    Game& film = game();
    film.restart();
    for (long frame = 0; frame < frames.frameAt(move.from); ++frame)
        film.advance(frames.dt());
    film.frame(frames.dt(), picture);
    picture.display();
    const auto start = std::chrono::steady_clock::now();
    film.restart();
    for (long frame = 0; frame < frames.frameAt(move.to); ++frame)
        film.advance(frames.dt());
    film.frame(frames.dt(), picture);
    picture.display();
    picture.getTexture().copyToImage();  // wait for the picture itself
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}
}

int benchSeeks(int fps)
{
    sf::RenderTexture picture;
    if (!picture.create(kScreenWidth, kScreenHeight) || !game().loadContent())
        return 1;
    const FilmFrames frames(fps);
    const Move moves[] = {
        {"one frame back at 150 s", 150.0, 150.0 - 1.0 / fps},
        {"100 s back, 150 s to 50 s", 150.0, 50.0},
        {"a click on the bar, 190 s to 139.23 s", 190.0, 139.23},
        {"Home from 190 s", 190.0, film::kStart},
    };
    for (const Move& move : moves) {
        std::vector<double> times;
        for (int repeat = 0; repeat < kRepeats; ++repeat)
            times.push_back(millisecondsOf(frames, picture, move));
        std::sort(times.begin(), times.end());
        char line[160];
        std::snprintf(line, sizeof line, "drennmoor-preview: %-40s median %6.1f ms, best %6.1f, worst %6.1f", move.what,
                      times[kRepeats / 2], times.front(), times.back());
        reportLine(line);
    }
    return 0;
}
