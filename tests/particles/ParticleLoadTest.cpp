#include "ParticleFixture.hpp"

#include "particles/ParticleManager.hpp"

using ParticleSystemLoad = ParticleFixture;

TEST_F(ParticleSystemLoad, MissingRequiredKeyIsReportedAndFails)
{
    nlohmann::json values = definition();
    values.erase("max_ttl");
    ParticleSystem system;
    const std::string errors = captureStderr([&] { EXPECT_FALSE(system.load(writeDefinition(values), 5, sprites)); });
    EXPECT_EQ(errors, "validateJson: Missing prop: max_ttl.\nParticleSystem: Missing properties in jsonfile.\n");
    EXPECT_TRUE(system.particles().empty());
}

using ParticleManagerLoad = ParticleFixture;

TEST_F(ParticleManagerLoad, RegistersEachSystemWithItsPoolSizeAndSkipsEachBadEntry)
{
    nlohmann::json incomplete = definition();
    incomplete.erase("max_ttl");
    const std::string file = writeDefinition(definition());
    const std::string list = dir.write("particles.json", nlohmann::json{{"particlesystems", {
        {"broken", {{"file", writeDefinition(incomplete, "broken.json")}}},
        {"negative", {{"file", file}, {"instances", -1}}},
        {"none", {{"file", file}, {"instances", 0}}},
        {"plain", {{"file", file}}},
        {"three", {{"file", file}, {"instances", 3}}}}}}.dump());
    ParticleManager manager(sprites);
    EXPECT_EQ(captureStderr([&] { EXPECT_TRUE(manager.load(list)); }),
              "validateJson: Missing prop: max_ttl.\n"
              "ParticleSystem: Missing properties in jsonfile.\n"
              "ParticleManager: Negative instances for [negative]\n");
    for (const char* key : {"broken", "negative"})
        EXPECT_FALSE(manager.contains(key)) << key;
    EXPECT_EQ(manager.get("plain")->particles().size(), 100u);
    EXPECT_EQ(manager.get("three")->particles().size(), 3u);
    EXPECT_EQ(manager.get("three"), manager.get("three")) << "everyone who fetches a key shares one system";
    ParticleSystem* none = manager.get("none");
    ASSERT_NE(none, nullptr);
    none->emitAt(1.0f, 1.0f);
    EXPECT_EQ(none->aliveCount(), 0u);

    ParticleSystem* found = none;
    EXPECT_EQ(captureStderr([&] { found = manager.get("broken"); }),
              "ParticleManager: ParticleSystem with key broken does not exist.\n");
    EXPECT_EQ(found, nullptr);
}
