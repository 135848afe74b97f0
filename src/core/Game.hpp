#pragma once

#include "core/FilmOrder.hpp"
#include "core/LoopScenes.hpp"

namespace sf {
class RenderTarget;
}

// The frame loop's state and the one frame function that the game, the tests and the tools
// all run. The game measures dt with a clock and draws into its window; tests and tools pass
// a fixed dt and an off-screen target.
struct Game {
    static constexpr int kQuit = film::kQuit;
    static constexpr int kLeadIn = film::kLeadIn;
    static constexpr int kCredits = film::kCredits;

    int sceneId = kLeadIn;
    bool running = true;
    float shaderTime = 0.0f;  // seconds of play, the vignette's "iTime"
    BlackLeadIn leadIn;
    Credits credits;

    // Everything the start-up does after the window exists: the off-screen picture, the five
    // registries, the fade sprite and the vignette. False (after "Unable to load
    // vignette.frag") when the shader pair cannot be loaded. It also takes one SFML transient
    // context lock that is held until exit, so that no frame allocates one per texture or
    // shader switch (the game, the tests and the tools all get it here).
    bool loadContent();

    // The player's input of this frame: Escape held or the window's close button ends the game
    // after the frame now starting (it is still drawn and displayed in full).
    void applyInput(bool escapeHeld, bool closeRequested);

    // The viewer's Space: pauses the film and its song, or resumes both where they stopped.
    void togglePause();
    // The viewer's M: silences the song, or gives it back its own volume.
    void toggleMute();
    bool paused = false;

    // One frame after the input: shader time, fade, clears, the scene, the fade overlay, the
    // vignette pass into `window` and the poem on top. `window` is not displayed here. While
    // paused nothing moves: the frame only presents the film's last picture again.
    void frame(float dt, sf::RenderTarget& window);

    // Draws the finished film as it stands into `window`, through the window's current view:
    // cleared to transparent black, the picture through the vignette, the poem on top.
    // Changes nothing of the film's state, so it can be repeated (while paused, or after the
    // window was made anew).
    void present(sf::RenderTarget& window);

    // Runs one frame of `dt` seconds exactly as frame() does (fade, scene, poem, shader time,
    // lead-in, credits, quitting) and draws nothing: no draw call, clear or GPU work. After
    // N such frames the game is in the same state as after N drawn ones, rand() included,
    // so the tools reach a time quickly and draw only the frames they show.
    void advance(float dt);

    // Puts the film back as it stood after loadContent, whatever it played: the scenes'
    // records, the lead-in and the credits, the fade, the poem, every particle pool, every
    // sprite's pose, rand()'s sequence, the shader time and the song (stopped). The viewer's
    // pause and mute stay. The game never calls it (its film plays once); the tools replay
    // from here to reach any time without a new process.
    void restart();
    // Reads the game folder's files again into emptied registries (loadContent), then
    // restart(). False as loadContent is. For the preview, after an edit of the data.
    bool reloadContent();

private:
    // What every frame does before anything reaches a window, drawn or not.
    void step(float dt, bool drawn);
    void runScene(float dt);
};

// The game's one frame loop state.
Game& game();
