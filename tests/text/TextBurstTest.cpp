#include "TextFixtures.hpp"
#include "particles/ParticleFixture.hpp"

#include "particles/ParticleManager.hpp"

namespace {
constexpr float kFrame = 0.25f;
constexpr float kOffsetX = 1000.0f;
constexpr float kOffsetY = 500.0f;

// A particle registry of the test's own with "sparks": still particles that live 100 s, so
// every particle a letter throws stays in the pool to be counted.
class TextBurst : public ParticleFixture {
protected:
    TextBurst()
    {
        nlohmann::json sparks = definition();
        sparks["min_ttl"] = sparks["max_ttl"] = 100;
        const std::string file = writeDefinition(sparks, "sparks.json");
        particles.load(dir.write("particles.json",
                                 nlohmann::json{{"particlesystems", {{"sparks", {{"file", file}, {"instances", 50}}}}}}.dump()));
    }

    std::unique_ptr<TextSystem> burstingStyle(const nlohmann::json& bursts)
    {
        nlohmann::json entry = styleEntry({{"worddelay", 0.5}, {"particles_x_offset", kOffsetX},
                                           {"particles_y_offset", kOffsetY}});
        entry.update(bursts);
        return buildStyle(entry, particles);
    }

    std::size_t thrown() { return particles.get("sparks")->aliveCount(); }

    ParticleManager particles{sprites};
};
}

TEST_F(TextBurst, ThrowsTheInBurstOnTheFirstLivingFrameAndTheOutBurstOnceNearTheEnd)
{
    auto style = burstingStyle({{"particles_in", "sparks"}, {"num_particles_in", 2}, {"particles_out", "sparks"},
                                {"num_particles_out", 3}, {"particles_duration_out", 0.5}});
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
