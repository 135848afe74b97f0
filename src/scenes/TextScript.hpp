#pragma once

namespace sf {
class RenderTarget;
}

// Puts the poem on the screen: queues all of it on the first call, and from the opening
// scene's first frame on advances and draws it into `target` (the window, over the picture).
void textScript(sf::RenderTarget* target, float dt);

// Set by the opening scene on its first frame; until then no text moves or shows.
bool& textStartFlag();
