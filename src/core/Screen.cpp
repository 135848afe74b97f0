#include "core/Screen.hpp"

// Made on first use rather than before main: creating any of them needs a display.
sf::RenderTexture& renderTexture()
{
    static sf::RenderTexture texture;
    return texture;
}

sf::Sprite& renderSprite()
{
    static sf::Sprite sprite;
    return sprite;
}

sf::Shader& vignetteShader()
{
    static sf::Shader shader;
    return shader;
}

bool& drawingEnabled()
{
    static bool enabled = true;
    return enabled;
}
