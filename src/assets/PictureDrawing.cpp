#include "assets/PictureDrawing.hpp"

#include "assets/PictureCover.hpp"
#include "assets/TextureManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Vertex.hpp>

namespace {
// Only a sprite that is merely moved keeps every tile's edges on pixel rows and columns of
// the whole, so that its runs cover exactly the pixels the whole sprite would.
bool onlyMoved(const sf::Sprite& sprite)
{
    const sf::IntRect rect = sprite.getTextureRect();
    return sprite.getRotation() == 0.0f && sprite.getScale() == sf::Vector2f(1.0f, 1.0f) && rect.width > 0 &&
           rect.height > 0;
}

// Runs drawn together; the vertices live on the stack, so a frame allocates nothing.
constexpr std::size_t kRunsPerBatch = 64;

// The runs of `cover` within the sprite's rectangle, each a quad with the sprite's corners'
// arithmetic: local position = picture pixel - rectangle corner, texture coordinates in
// pixels, moved by the sprite's transform on the CPU as the graphics library moves a
// sprite's four corners.
void drawShownRuns(const sf::Sprite& sprite, const PictureCover& cover, sf::RenderTarget& target)
{
    const sf::IntRect rect = sprite.getTextureRect();
    const sf::Color color = sprite.getColor();
    const sf::Transform& transform = sprite.getTransform();
    sf::RenderStates states(sprite.getTexture());
    sf::Vertex batch[kRunsPerBatch * 6];
    std::size_t count = 0;
    const auto flush = [&] {
        target.draw(batch, count, sf::Triangles, states);
        count = 0;
    };
    cover.forEachShownRun(rect, [&](const sf::IntRect& run) {
        const float left = static_cast<float>(run.left);
        const float top = static_cast<float>(run.top);
        const float right = static_cast<float>(run.left + run.width);
        const float bottom = static_cast<float>(run.top + run.height);
        const float x0 = static_cast<float>(run.left - rect.left);
        const float y0 = static_cast<float>(run.top - rect.top);
        const float x1 = x0 + static_cast<float>(run.width);
        const float y1 = y0 + static_cast<float>(run.height);
        const sf::Vertex topLeft(transform.transformPoint(x0, y0), color, {left, top});
        const sf::Vertex bottomLeft(transform.transformPoint(x0, y1), color, {left, bottom});
        const sf::Vertex topRight(transform.transformPoint(x1, y0), color, {right, top});
        const sf::Vertex bottomRight(transform.transformPoint(x1, y1), color, {right, bottom});
        // The two triangles of the sprite's own strip.
        const sf::Vertex corners[6] = {topLeft, bottomLeft, topRight, bottomLeft, topRight, bottomRight};
        for (const sf::Vertex& corner : corners)
            batch[count++] = corner;
        if (count == kRunsPerBatch * 6)
            flush();
    });
    if (count > 0)
        flush();
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
    else if (cover != nullptr && cover->hasEmptyTiles() && onlyMoved(sprite))
        drawShownRuns(sprite, *cover, target);
    else
        target.draw(sprite, sf::RenderStates::Default);
}
