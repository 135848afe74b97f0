#include "ParticleFixture.hpp"

#include "particles/ParticleManager.hpp"

// The game's own rain, as staged: assets/particles.json with the three drop pictures.
class ShippedRain : public ParticleFixture {
protected:
    ShippedRain()
    {
        for (const char* key : {"rain_0", "rain_1", "rain_2"})
            textures.add(key, std::string("assets/images/") + key + ".png", false);
        sprites.load(dir.write("rain_sprites.json",
            R"({"sprites": {"rain_0": {"texture": "rain_0"}, "rain_1": {"texture": "rain_1"},)"
            R"( "rain_2": {"texture": "rain_2"}}})"));
    }
};

TEST_F(ShippedRain, KeepsAModerateSteadyDensityOverTheWholePicture)
{
    ParticleManager manager(sprites);
    EXPECT_EQ(captureStderr([&] { EXPECT_TRUE(manager.load("assets/particles.json")); }), "");
    ParticleSystem* rain = manager.get("rain_particles");
    ASSERT_NE(rain, nullptr);
    const std::size_t slots = rain->particles().size();
    EXPECT_LE(slots, 500u);

    rain->emitting = true;
    rain->spawnTimer = 0.0f;
    const float dt = 1.0f / 60.0f;
    for (int frame = 0; frame < 180; ++frame) {
        rain->update(dt);
        // A full pool would drop drops and thin the rain out.
        EXPECT_LT(rain->aliveCount(), slots) << "frame " << frame;
    }
    EXPECT_GT(rain->aliveCount(), 150u);

    // Every cell of a 4 x 3 grid over the picture holds drops.
    int cells[3][4] = {};
    for (const Particle& drop : rain->particles()) {
        if (drop.alive && drop.x >= 0 && drop.x < 1920 && drop.y >= 0 && drop.y < 1080)
            ++cells[static_cast<int>(drop.y / 360)][static_cast<int>(drop.x / 480)];
    }
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 4; ++column)
            EXPECT_GE(cells[row][column], 5) << "row " << row << " column " << column;
}
