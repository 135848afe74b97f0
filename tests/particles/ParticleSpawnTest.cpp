#include "ParticleFixture.hpp"

#include <iterator>
#include <vector>

using ParticleSpawning = ParticleFixture;

TEST_F(ParticleSpawning, SpawnsOnePerWholeIntervalAndKeepsTheRemainder)
{
    nlohmann::json values = definition();
    values["spawn_rate"] = 0.1;
    ParticleSystem system = loadSystem(values, 10);

    // Not emitting: the timer still grows, nothing spawns.
    system.update(0.35f);
    EXPECT_EQ(system.aliveCount(), 0u);
    EXPECT_FLOAT_EQ(system.spawnTimer, 0.35f);

    system.emitting = true;
    system.spawnTimer = 0.0f;
    system.update(0.35f);
    EXPECT_EQ(system.aliveCount(), 3u);
    EXPECT_NEAR(system.spawnTimer, 0.05f, 1e-5f);

    // A frame shorter than what is missing to the next interval only grows the timer.
    system.update(0.04f);
    EXPECT_EQ(system.aliveCount(), 3u);
    system.update(0.02f);
    EXPECT_EQ(system.aliveCount(), 4u);
}

TEST_F(ParticleSpawning, FullPoolDropsSpawnsWithoutDrawingRandomNumbers)
{
    nlohmann::json values = definition();
    values["spawn_rate"] = 0.1;
    values["min_ttl"] = values["max_ttl"] = 1.0;
    ParticleSystem system = loadSystem(values, 3);
    system.emitting = true;
    system.update(0.35f);
    ASSERT_EQ(system.aliveCount(), 3u);
    const std::vector<Particle> before = system.particles();

    EXPECT_TRUE(drawsNoRandomNumber([&] {
        system.emit();
        system.emitAt(5.0f, 5.0f);
    }));
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(system.particles()[i].age, before[i].age);

    // Two lost spawns still take the timer down; never more than three live at once.
    EXPECT_TRUE(drawsNoRandomNumber([&] { system.update(0.2f); }));
    EXPECT_NEAR(system.spawnTimer, 0.05f, 1e-5f);
    for (int frame = 0; frame < 40; ++frame) {
        system.update(0.05f);
        EXPECT_LE(system.aliveCount(), 3u);
    }
}

TEST_F(ParticleSpawning, DrawsEveryStartValueFromItsOwnRange)
{
    nlohmann::json values = definition();
    const char* names[] = {"x", "y", "xs", "ys", "fadespeed", "ttl", "xg", "yg", "rot", "rotspeed", "scale", "scalespeed"};
    float low = 1.0f;
    for (const char* name : names) {
        // Distinct ranges, so a value read from another field's range lands outside its own.
        values[std::string("min_") + name] = low;
        values[std::string("max_") + name] = low + 5.0f;
        low += 10.0f;
    }
    ParticleSystem system = loadSystem(values, 51);
    for (int n = 0; n < 50; ++n)
        system.emitAt(n, 0);
    system.emit();
    EXPECT_EQ(system.aliveCount(), 50u) << "emitAt spawns whether emitting or not, emit only when emitting";
    system.emitting = true;
    system.emit();
    for (const Particle& p : system.particles()) {
        const float drawn[] = {p.x, p.y, p.vx, p.vy, p.fadeTime, p.ttl, p.ax, p.ay, p.rotation, p.rotationSpeed,
                               p.scale, p.scaleSpeed};
        for (std::size_t i = &p == &system.particles().back() ? 0 : 2; i < std::size(drawn); ++i) {
            EXPECT_GE(drawn[i], 1.0f + 10.0f * i) << names[i];
            EXPECT_LE(drawn[i], 6.0f + 10.0f * i) << names[i];
        }
    }
}

TEST_F(ParticleSpawning, SystemWithoutUsableSpritesSpawnsNothingAndDrawsNoRandomNumbers)
{
    for (const nlohmann::json& list : {nlohmann::json::array(), nlohmann::json{"missing"}}) {
        nlohmann::json values = definition();
        values["sprites"] = list;
        values["spawn_rate"] = 0.1;
        ParticleSystem system;
        captureStderr([&] { EXPECT_TRUE(system.load(writeDefinition(values), 5, sprites)); });
        system.emitting = true;

        EXPECT_TRUE(drawsNoRandomNumber([&] {
            system.update(1.0f);
            system.emit();
            system.emitAt(1.0f, 1.0f);
        }));
        EXPECT_EQ(system.aliveCount(), 0u);
    }
}

TEST_F(ParticleSpawning, MissingSpriteIsLeftOutAndNeverShown)
{
    nlohmann::json values = definition();
    values["sprites"] = {"missing", "dot"};
    ParticleSystem system;
    const std::string errors = captureStderr([&] { EXPECT_TRUE(system.load(writeDefinition(values), 50, sprites)); });
    EXPECT_EQ(errors, "SpriteManager: Sprite with key missing does not exist.\n");

    for (int i = 0; i < 50; ++i)
        system.emitAt(0.0f, 0.0f);
    for (const Particle& particle : system.particles())
        EXPECT_EQ(particle.sprite, sprites.get("dot"));
}
