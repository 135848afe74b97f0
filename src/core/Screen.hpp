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
