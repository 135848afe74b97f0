#include "assets/PictureDrawing.hpp"

#include "assets/PictureCover.hpp"
#include "assets/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>

#include <algorithm>
#include <cmath>

namespace {
// Sprites covering less than a sixteenth of the target are drawn whole.
constexpr float kLargestSkippedShare = 16.0f;

// The first pixel row or column whose centre lies at or after `edge`, in pixels.
int pixelEdge(float edge)
{
    return static_cast<int>(std::ceil(edge - 0.5f));
}

// A view that shows the target's own pixels one to one, as the film's picture has.
bool showsPixels(const sf::RenderTarget& target)
{
    const sf::Vector2f size(target.getSize());
    const sf::View& view = target.getView();
    return view.getSize() == size && view.getCenter() == size / 2.0f && view.getRotation() == 0.0f &&
           view.getViewport() == sf::FloatRect(0.0f, 0.0f, 1.0f, 1.0f);
}

// Draws the whole sprite once per rectangle of marked tiles, each time clipped by a scissor to
// the pixels that rectangle covers. The triangles are the sprite's own, so every pixel drawn
// gets exactly the texel a plain draw gives it. Rectangles meet on tile edges, whose pixel
// rows and columns are computed alike on either side, so no pixel is drawn twice; a pixel left out
// lies in an unmarked tile, whose texels and the ring of texels around them are all
// transparent.
// False, having drawn nothing, for a sprite turned, mirrored, small or reaching past its
// picture, or a target not seen one to one.
bool drawnByTiles(const sf::Sprite& sprite, const PictureCover& cover, sf::RenderTarget& target)
{
    const sf::IntRect rect = sprite.getTextureRect();
    const float* matrix = sprite.getTransform().getMatrix();
    const float scaleX = matrix[0];
    const float scaleY = matrix[5];
    const float moveX = matrix[12];
    const float moveY = matrix[13];
    const int width = static_cast<int>(target.getSize().x);
    const int height = static_cast<int>(target.getSize().y);
    const bool upright = matrix[1] == 0.0f && matrix[4] == 0.0f && scaleX > 0.0f && scaleY > 0.0f;
    // A small sprite costs little however it is drawn: a draw per rectangle would cost more.
    const float shownArea = scaleX * static_cast<float>(rect.width) * scaleY * static_cast<float>(rect.height);
    const bool large = shownArea * kLargestSkippedShare >= static_cast<float>(width) * static_cast<float>(height);
    // A rectangle reaching past the picture shows its edge or its repeats there, which the
    // cover does not know.
    const sf::Texture* texture = sprite.getTexture();
    const bool inside = texture != nullptr && !texture->isRepeated() && rect.left >= 0 && rect.top >= 0 &&
                        rect.width > 0 && rect.height > 0 &&
                        rect.left + rect.width <= static_cast<int>(texture->getSize().x) &&
                        rect.top + rect.height <= static_cast<int>(texture->getSize().y);
    if (!upright || !large || !inside || !showsPixels(target) || !target.setActive(true))
        return false;

    const auto column = [&](int texel) { return pixelEdge(scaleX * static_cast<float>(texel - rect.left) + moveX); };
    const auto row = [&](int texel) { return pixelEdge(scaleY * static_cast<float>(texel - rect.top) + moveY); };
    glEnable(GL_SCISSOR_TEST);
    cover.forEachShownRectangle(rect, [&](const sf::IntRect& run) {
        // At the sprite's own edges one pixel more: its triangles end there anyway.
        const int left = std::max(0, column(run.left) - (run.left == rect.left ? 1 : 0));
        const int right = std::min(width, column(run.left + run.width) + (run.left + run.width == rect.left + rect.width ? 1 : 0));
        const int top = std::max(0, row(run.top) - (run.top == rect.top ? 1 : 0));
        const int bottom = std::min(height, row(run.top + run.height) + (run.top + run.height == rect.top + rect.height ? 1 : 0));
        if (left >= right || top >= bottom)
            return;
        // OpenGL counts rows from the bottom.
        glScissor(left, height - bottom, right - left, bottom - top);
        target.draw(sprite, sf::RenderStates::Default);
    });
    glDisable(GL_SCISSOR_TEST);
    return true;
}
}

void drawPicture(const sf::Sprite& sprite, sf::RenderTarget& target, const TextureManager& textures)
{
    const sf::Uint8 alpha = sprite.getColor().a;
    if (alpha == 0)
        return;
    const PictureCover* cover = textures.cover(sprite.getTexture());
    if (cover != nullptr && cover->opaque() && alpha == 255)
        target.draw(sprite, sf::RenderStates(sf::BlendNone));
    else if (cover == nullptr || !cover->hasEmptyTiles() || !drawnByTiles(sprite, *cover, target))
        target.draw(sprite, sf::RenderStates::Default);
}
