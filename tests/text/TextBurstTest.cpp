#include "TextFixtures.hpp"
#include "support/TestSupport.hpp"

#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleManager.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {
constexpr float kFrame = 0.25f;
constexpr float kOffsetX = 1000.0f;
constexpr float kOffsetY = 500.0f;

// A particle registry of the test's own with "sparks": still particles that live 100 s, so
// every particle a letter throws stays in the pool to be counted.
class TextBurst : public testing::Test {
protected:
    TextBurst()
    {
        sf::Image dot;
        dot.create(2, 2, sf::Color::White);
        dot.saveToFile(dir.path() + "/dot.png");
        textures.add("dot", dir.path() + "/dot.png", false);
        sprites.load(dir.write("sprites.json", R"({"sprites": {"dot": {"texture": "dot"}}})"));
        const nlohmann::json sparks = {
            {"name", "sparks"}, {"sprites", {"dot"}}, {"min_xs", 0}, {"max_xs", 0}, {"min_ys", 0}, {"max_ys", 0},
            {"min_xg", 0}, {"max_xg", 0}, {"min_yg", 0}, {"max_yg", 0}, {"min_rot", 0}, {"max_rot", 0},
            {"min_rotspeed", 0}, {"max_rotspeed", 0}, {"min_scale", 1}, {"max_scale", 1},
            {"min_scalespeed", 0}, {"max_scalespeed", 0}, {"fadein", false}, {"fadeout", false},
            {"min_fadespeed", 1}, {"max_fadespeed", 1}, {"min_ttl", 100}, {"max_ttl", 100}};
        const std::string file = dir.write("sparks.json", sparks.dump());
        particles.load(dir.write("particles.json",
                                 nlohmann::json{{"particlesystems", {{"sparks", {{"file", file}, {"instances", 50}}}}}}.dump()));
    }

    ~TextBurst() override { std::srand(1); }

    std::unique_ptr<TextSystem> burstingStyle(const nlohmann::json& bursts)
    {
        nlohmann::json entry = styleEntry({{"worddelay", 0.5}, {"particles_x_offset", kOffsetX},
                                           {"particles_y_offset", kOffsetY}});
        entry.update(bursts);
        auto system = std::make_unique<TextSystem>();
        if (!system->buildFromJson(entry, "bursting", particles))
            return nullptr;
        return system;
    }

    std::size_t thrown() { return particles.get("sparks")->aliveCount(); }

    TempDir dir;
    TextureManager textures;
    SpriteManager sprites{textures};
    ParticleManager particles{sprites};
};
}

TEST_F(TextBurst, ThrowsTheInBurstOnTheFirstLivingFrameAndTheOutBurstOnceNearTheEnd)
{
    auto style = burstingStyle({{"particles_in", "sparks"}, {"num_particles_in", 2}, {"particles_out", "sparks"},
                                {"num_particles_out", 3}, {"particles_duration_out", 0.5}});
    ASSERT_NE(style, nullptr);
    ASSERT_EQ(thrown(), 0u);
    style->playLine(" a", -1.0f, 1.5f, 100.0f, 100.0f);

    advance(*style, 2, kFrame);  // the half-second start delay
    EXPECT_EQ(thrown(), 0u);
    style->update(kFrame);
    EXPECT_EQ(thrown(), 2u);
    advance(*style, 2, kFrame);  // 0.75 s of life left
    EXPECT_EQ(thrown(), 2u);
    style->update(kFrame);  // 0.5 s left: all three at once
    EXPECT_EQ(thrown(), 5u);
    advance(*style, 6, kFrame);
    EXPECT_EQ(thrown(), 5u);
}

TEST_F(TextBurst, ThrowsParticlesFromTheLettersBoxMovedByTheOffsets)
{
    auto style = burstingStyle({{"particles_in", "sparks"}, {"num_particles_in", 20}});
    ASSERT_NE(style, nullptr);
    style->playLine("W", -1.0f, 3.0f, 300.0f, 200.0f);
    style->update(kFrame);

    const sf::Text& text = style->instances[0].letters[0].text;
    const sf::FloatRect box(300.0f - text.getOrigin().x + kOffsetX, 200.0f - text.getOrigin().y + kOffsetY,
                            text.getLocalBounds().width, text.getLocalBounds().height);
    ASSERT_EQ(thrown(), 20u);
    float lowest = box.top + box.height;
    float highest = box.top;
    for (const Particle& particle : particles.get("sparks")->particles()) {
        if (!particle.alive)
            continue;
        EXPECT_GE(particle.x, box.left);
        EXPECT_LE(particle.x, box.left + box.width);
        EXPECT_GE(particle.y, box.top);
        EXPECT_LE(particle.y, box.top + box.height);
        lowest = std::min(lowest, particle.y);
        highest = std::max(highest, particle.y);
    }
    // Spread over the box, not heaped on one edge.
    EXPECT_GT(highest - lowest, box.height / 4.0f);
}
