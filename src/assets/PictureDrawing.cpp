#include "assets/PictureDrawing.hpp"

#include "assets/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>

void drawPicture(const sf::Sprite& sprite, sf::RenderTarget& target, const TextureManager& textures)
{
    const sf::Uint8 alpha = sprite.getColor().a;
    if (alpha == 0)
        return;
    const bool replaces = alpha == 255 && textures.isOpaque(sprite.getTexture());
    target.draw(sprite, replaces ? sf::RenderStates(sf::BlendNone) : sf::RenderStates::Default);
}
