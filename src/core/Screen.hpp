#pragma once

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/Graphics/Shader.hpp>
#include <SFML/Graphics/Sprite.hpp>

// The picture is 1920 x 1080 pixels, whatever the window's size.
constexpr unsigned kScreenWidth = 1920;
constexpr unsigned kScreenHeight = 1080;

// The off-screen picture every scene, the particles and the fade overlay draw into.
// Made on first use; the start-up gives it its size.
sf::RenderTexture& renderTexture();
// Shows renderTexture() in the window through the vignette.
sf::Sprite& renderSprite();
// The post-process pass: passthrough.vert and vignette.frag.
sf::Shader& vignetteShader();

// Whether a frame draws: true, except while Game::advance runs a frame. The scenes, the
// lead-in, the credits, the rain and the fade overlay then change everything they would
// change when drawing and skip only their draw calls.
bool& drawingEnabled();
