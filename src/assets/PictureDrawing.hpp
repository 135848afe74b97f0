#pragma once

class TextureManager;

namespace sf {
class RenderTarget;
class Sprite;
}

// Draws `sprite` into `target` to the same pixels as the default render states (alpha
// blending) give, for less work, using what `textures` know of its picture:
// - a fully transparent sprite changes nothing and is skipped;
// - a fully opaque sprite whose picture has no transparent pixel replaces what lies under
//   it, so it is drawn without blending (with software OpenGL, a third of a full-screen
//   picture's cost);
// - an upright sprite (moved or scaled, not turned or mirrored) covering a sixteenth of
//   `target` or more, whose picture has tiles far from anything visible, is drawn only over
//   the other tiles, when `target` shows its pixels one to one (its default view).
void drawPicture(const sf::Sprite& sprite, sf::RenderTarget& target, const TextureManager& textures);
