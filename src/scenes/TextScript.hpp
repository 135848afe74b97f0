#pragma once

#include <string>

namespace sf {
class RenderTarget;
}
class TextManager;
class TextSystem;

// The poem over the film: on its first frame it queues all 32 plays of Poem.hpp on the
// "demo_text" style; from the opening scene's first frame on (the start flag) it advances
// every text style by the frame time and draws them over the finished picture. It reads no
// scene id: the poem keeps time with the scenes and the song by the frame times alone.
class TextScript {
public:
    // The game's one script, playing on TextManager::instance().
    static TextScript& instance();

    // A script that plays on the styles of `texts`.
    explicit TextScript(TextManager& texts);

    // One frame of `dt` seconds, undrawn (draw shows it). The first call looks "demo_text" up
    // (the registry reports it when missing) and queues the poem; while `started` is false
    // nothing moves.
    void frame(float dt);

    // Draws every style as it stands into `target` (nothing before the start); moves nothing.
    void draw(sf::RenderTarget& target);

    // Back to before the first call: the poem is looked up and queued again on the next frame
    // (the styles' pools must be free by then, TextManager::restart).
    void restart();

    // Set by the opening scene on its first frame.
    bool started = false;

private:
    void queuePoem();

    TextManager& m_texts;
    TextSystem* m_poem = nullptr;  // not owned; null without a "demo_text" style
    bool m_firstCall = true;
    bool m_queue = true;
};

// The game's script: TextScript::instance().frame(dt).
void textScript(float dt);

// The game's start flag, TextScript::instance().started.
bool& textStartFlag();
