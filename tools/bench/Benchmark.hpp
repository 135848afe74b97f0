#pragma once

#include "BenchOptions.hpp"
#include "BenchReport.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/RenderWindow.hpp>

// Starts the game as the game starts, then plays the whole film through the game's frame
// function into an off-screen picture, one baseline frame after each film frame, and prints
// the table. Run it in the game folder, with ALSOFT_DRIVERS=null set.
class Benchmark {
public:
    explicit Benchmark(const BenchOptions& options);

    // False when the start-up fails (no vignette shader); the failure prints one line.
    bool run();

private:
    // Configuration, window and first black frame, as the game's main does them.
    void openWindow();
    // The game's start-up and its first frame, into the window.
    bool startGame();
    void playFilm();
    BenchReport::Frame filmFrame(bool steady);
    // Clear, vignette pass, display, finish: the frame with no scene, fade or text.
    void baselineFrame();
    void measureBaselineCost();
    // Waits until `target`'s picture is finished, so that a time is a frame's whole cost.
    static void finish(sf::RenderTarget& target);
    void printTable() const;

    // The film lasts about 205 s with the lead-in; a run stops after this many seconds.
    static constexpr std::size_t kMaxSeconds = 240;

    BenchOptions m_options;
    float m_dt;
    std::size_t m_maxFrames;
    sf::RenderWindow m_window;
    sf::RenderTexture m_target;
    BenchReport m_report;
};
