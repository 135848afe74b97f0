#pragma once

class TextureManager;

namespace sf {
class RenderTarget;
class Sprite;
}

// Draws `sprite` into `target` to the same pixels as the default render states (alpha
// blending) give, for less work. A fully transparent sprite changes nothing and is skipped.
// A fully opaque sprite whose texture (one of `textures`) has no transparent pixel replaces
// what lies under it, so it is drawn without blending: with software OpenGL, blending is a
// third of a full-screen picture's cost.
void drawPicture(const sf::Sprite& sprite, sf::RenderTarget& target, const TextureManager& textures);
