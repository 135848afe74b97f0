#pragma once

// The files the game reads at start-up, relative to the game folder (the working folder),
// in the order it reads them. The tools ask here rather than naming them again.
namespace dataFiles {

constexpr const char* kConfig = "config.json";
// The registries: each later one looks up keys of an earlier one while it loads.
constexpr const char* kTextures = "assets/textures.json";
constexpr const char* kSprites = "assets/sprites.json";
constexpr const char* kMusic = "assets/music.json";
constexpr const char* kParticles = "assets/particles.json";
constexpr const char* kTexts = "assets/text/text.json";
// The vignette's shader pair.
constexpr const char* kVertexShader = "assets/shaders/passthrough.vert";
constexpr const char* kFragmentShader = "assets/shaders/vignette.frag";

} // namespace dataFiles
