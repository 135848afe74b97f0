#include "ParticleFixture.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

namespace {
// A still particle at (x, y) showing `sprite`; the fade settings and life as given.
void spawnStill(Particle& particle, sf::Sprite* sprite, bool fadeIn, bool fadeOut, float fadeTime, float ttl,
                float alphaTarget, float x = 0.0f, float y = 0.0f)
{
    particle.spawn(x, y, sprite, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f, fadeIn, fadeOut, fadeTime, ttl,
                   alphaTarget);
}

// The alpha byte the particle leaves on its sprite when drawn.
int drawnAlpha(const Particle& particle, sf::RenderTarget& target)
{
    particle.draw(target);
    return particle.sprite->getColor().a;
}
}

class ParticleLife : public ParticleFixture {
protected:
    ParticleLife() { target.create(16, 16); }

    sf::RenderTexture target;
    sf::Sprite* dot = sprites.get("dot");
};

TEST_F(ParticleLife, FadeInRisesToItsTargetOnlyWhenEnabled)
{
    Particle particle;
    spawnStill(particle, dot, true, false, 1.0f, 10.0f, 1.0f);
    EXPECT_EQ(drawnAlpha(particle, target), 0);
    particle.update(0.25f);
    const int quarter = drawnAlpha(particle, target);
    particle.update(0.5f);
    EXPECT_GT(quarter, 64) << "a sine-out is past a quarter at a quarter of its time";
    EXPECT_GT(drawnAlpha(particle, target), quarter);
    particle.update(0.5f);
    EXPECT_EQ(drawnAlpha(particle, target), 255);
    EXPECT_FALSE(particle.alphaTween.active);

    // Half opacity is drawn as 127.
    spawnStill(particle, dot, true, false, 0.1f, 10.0f, 0.5f);
    particle.update(0.2f);
    EXPECT_EQ(drawnAlpha(particle, target), 127);

    // Without a fade-in the particle is opaque from the start, whatever the target.
    spawnStill(particle, dot, false, false, 1.0f, 10.0f, 0.2f);
    EXPECT_EQ(drawnAlpha(particle, target), 255);
    particle.update(0.1f);
    EXPECT_EQ(drawnAlpha(particle, target), 255);
}

TEST_F(ParticleLife, FadeOutStartsFromTheOpacityReachedAndEndsAtZero)
{
    Particle particle;
    spawnStill(particle, dot, true, true, 1.0f, 1.5f, 1.0f);
    particle.update(0.25f);
    const float reached = particle.alpha;
    EXPECT_FALSE(particle.fadingOut);

    // At age 0.5 = ttl - fadeTime the fade-in is cut off and the fade-out begins.
    particle.update(0.25f);
    EXPECT_TRUE(particle.fadingOut);
    EXPECT_LT(particle.alpha, reached);
    EXPECT_GT(particle.alpha, 0.0f);
    particle.update(0.875f);
    EXPECT_FLOAT_EQ(particle.alpha, 0.0f);
    EXPECT_TRUE(particle.alive);
    particle.update(0.125f);
    EXPECT_FALSE(particle.alive);

    // A fade as long as the life starts fading out in the first update.
    spawnStill(particle, dot, false, true, 2.0f, 1.0f, 1.0f);
    particle.update(0.01f);
    EXPECT_TRUE(particle.fadingOut);
    EXPECT_LT(particle.alpha, 1.0f);
}

TEST_F(ParticleLife, DiesInTheUpdateThatReachesItsTtlAndIsNeverDrawnAgain)
{
    Particle particle;
    for (const float ttl : {0.0f, -1.0f}) {
        spawnStill(particle, dot, true, true, 0.5f, ttl, 1.0f, 3.0f, 3.0f);
        particle.update(0.016f);
        EXPECT_FALSE(particle.alive);
        EXPECT_FALSE(particle.alphaTween.active);
        dot->setPosition(-99.0f, -99.0f);
        particle.draw(target);
        EXPECT_EQ(dot->getPosition(), sf::Vector2f(-99.0f, -99.0f)) << "ttl " << ttl << " was drawn";
    }
}

TEST_F(ParticleLife, SystemPaintsItsLiveParticlesWithTheirSprites)
{
    nlohmann::json values = definition();
    values["sprites"] = {"dash"};
    values["min_ttl"] = values["max_ttl"] = 0.5;
    ParticleSystem blue = loadSystem(values, 2);
    values["sprites"] = {"dot"};
    ParticleSystem white = loadSystem(values, 2);
    white.emitAt(4.0f, 4.0f);
    white.emitAt(8.0f, 8.0f);
    white.update(0.25f);  // both still alive
    blue.emitAt(8.0f, 8.0f);

    const auto paint = [&] {
        target.clear(sf::Color::Transparent);
        white.draw(target);
        blue.draw(target);
        target.display();
        return target.getTexture().copyToImage();
    };
    const sf::Image picture = paint();
    EXPECT_EQ(picture.getPixel(4, 4), sf::Color::White);
    EXPECT_EQ(picture.getPixel(8, 8), sf::Color::Blue);
    EXPECT_EQ(picture.getPixel(12, 12), sf::Color::Transparent);

    // Once their lives are over nothing is painted.
    white.update(0.25f);
    EXPECT_EQ(paint().getPixel(4, 4), sf::Color::Transparent);
}
