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
// - an unscaled, unturned sprite whose picture has tiles that show nothing is drawn as the
//   runs of tiles that show something, each as its own quad placed by the sprite's own
//   transform.
void drawPicture(const sf::Sprite& sprite, sf::RenderTarget& target, const TextureManager& textures);
