#include "ParticleFixture.hpp"

#include <vector>

namespace {
// The next value of rand as randomBetween scales it.
float nextFraction()
{
    return static_cast<float>(static_cast<double>(std::rand()) / RAND_MAX);
}

float between(float low, float high)
{
    return nextFraction() * (high - low) + low;
}
}

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

    std::srand(7);
    const int expected = std::rand();
    std::srand(7);
    system.emit();
    system.emitAt(5.0f, 5.0f);
    EXPECT_EQ(std::rand(), expected);
    for (std::size_t i = 0; i < before.size(); ++i)
        EXPECT_EQ(system.particles()[i].age, before[i].age);

    // Two lost spawns still take the timer down; never more than three live at once.
    std::srand(7);
    system.update(0.2f);
    EXPECT_EQ(std::rand(), expected);
    EXPECT_NEAR(system.spawnTimer, 0.05f, 1e-5f);
    for (int frame = 0; frame < 40; ++frame) {
        system.update(0.05f);
        EXPECT_LE(system.aliveCount(), 3u);
    }
}

TEST_F(ParticleSpawning, DrawsStartValuesInTheirFixedOrder)
{
    nlohmann::json values = definition();
    values["sprites"] = {"dot", "dash"};
    values["fadein"] = true;
    const char* names[] = {"x", "y", "xs", "ys", "fadespeed", "ttl", "xg", "yg", "rot", "rotspeed", "scale", "scalespeed"};
    float low = 1.0f;
    for (const char* name : names) {
        // Distinct ranges, so a value drawn out of turn lands elsewhere.
        values[std::string("min_") + name] = low;
        values[std::string("max_") + name] = low + 1000.0f;
        low += 10.0f;
    }
    values["min_alpha"] = 0.75;
    ParticleSystem system = loadSystem(values, 2);
    system.emitting = true;

    for (const bool atPoint : {false, true}) {
        std::srand(11);
        const float x = atPoint ? 40.0f : between(1, 1001);
        const float y = atPoint ? 50.0f : between(11, 1011);
        const float vx = between(21, 1021), vy = between(31, 1031);
        const float fadeTime = between(41, 1041), ttl = between(51, 1051);
        const float ax = between(61, 1061), ay = between(71, 1071);
        const float rotation = between(81, 1081), rotationSpeed = between(91, 1091);
        const float scale = between(101, 1101), scaleSpeed = between(111, 1111);
        const float alphaTarget = between(0.75f, 0.75f);
        sf::Sprite* sprite = sprites.get(std::rand() % 2 == 0 ? "dot" : "dash");
        const int next = std::rand();

        std::srand(11);
        if (atPoint)
            system.emitAt(40.0f, 50.0f);
        else
            system.emit();
        const Particle& p = system.particles()[atPoint ? 1 : 0];
        EXPECT_EQ(std::rand(), next) << (atPoint ? "emitAt draws 12 values" : "emit draws 14 values");
        EXPECT_FLOAT_EQ(p.x, x);
        EXPECT_FLOAT_EQ(p.y, y);
        EXPECT_FLOAT_EQ(p.vx, vx);
        EXPECT_FLOAT_EQ(p.vy, vy);
        EXPECT_FLOAT_EQ(p.fadeTime, fadeTime);
        EXPECT_FLOAT_EQ(p.ttl, ttl);
        EXPECT_FLOAT_EQ(p.ax, ax);
        EXPECT_FLOAT_EQ(p.ay, ay);
        EXPECT_FLOAT_EQ(p.rotation, rotation);
        EXPECT_FLOAT_EQ(p.rotationSpeed, rotationSpeed);
        EXPECT_FLOAT_EQ(p.scale, scale);
        EXPECT_FLOAT_EQ(p.scaleSpeed, scaleSpeed);
        EXPECT_FLOAT_EQ(p.alphaTween.to, alphaTarget);
        EXPECT_EQ(p.sprite, sprite);
    }
}

TEST_F(ParticleSpawning, EmitAtIgnoresEmittingButEmitDoesNot)
{
    ParticleSystem system = loadSystem(definition(), 4);
    system.emit();
    EXPECT_EQ(system.aliveCount(), 0u);
    system.emitAt(5.0f, 6.0f);
    ASSERT_EQ(system.aliveCount(), 1u);
    EXPECT_EQ(system.particles()[0].x, 5.0f);
    EXPECT_EQ(system.particles()[0].y, 6.0f);
}

TEST_F(ParticleSpawning, SpawnRateTooSmallToMoveTheTimerStillEndsTheFrame)
{
    nlohmann::json values = definition();
    values["spawn_rate"] = 1e-12;
    ParticleSystem system = loadSystem(values, 5);
    system.emitting = true;
    system.update(0.016f);
    EXPECT_GE(system.aliveCount(), 1u);
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

        std::srand(3);
        const int expected = std::rand();
        std::srand(3);
        system.update(1.0f);
        system.emit();
        system.emitAt(1.0f, 1.0f);
        EXPECT_EQ(std::rand(), expected);
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
