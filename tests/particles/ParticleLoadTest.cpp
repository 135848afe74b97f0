#include "ParticleFixture.hpp"

#include "particles/ParticleManager.hpp"

namespace {
// The library's own message for reading `value` as a string.
std::string wrongTypeMessage(const nlohmann::json& value)
{
    try {
        value.get<std::string>();
    } catch (const nlohmann::json::exception& error) {
        return error.what();
    }
    return "";
}
}

using ParticleSystemLoad = ParticleFixture;

TEST_F(ParticleSystemLoad, MissingRequiredKeyIsReportedAndFails)
{
    nlohmann::json values = definition();
    values.erase("max_ttl");
    ParticleSystem system;
    const std::string errors = captureStderr([&] { EXPECT_FALSE(system.load(writeDefinition(values), 5, sprites)); });
    EXPECT_EQ(errors, "validateJson: Missing prop: max_ttl.\nParticleSystem: Missing properties in jsonfile.\n");
    EXPECT_TRUE(system.particles().empty());

    // Only the first missing name, in the fixed order, is reported.
    values.erase("fadein");
    values.erase("min_xs");
    const std::string first = captureStderr([&] { system.load(writeDefinition(values), 5, sprites); });
    EXPECT_EQ(first, "validateJson: Missing prop: min_xs.\nParticleSystem: Missing properties in jsonfile.\n");
}

TEST_F(ParticleSystemLoad, MissingFileIsReportedWithItsPath)
{
    ParticleSystem system;
    const std::string path = dir.path() + "/absent.json";
    const std::string errors = captureStderr([&] { EXPECT_FALSE(system.load(path, 5, sprites)); });
    EXPECT_EQ(errors, "ParticleSystem: Unable to open file " + path + ".\n");
}

TEST_F(ParticleSystemLoad, WrongTypeFailsWithOneLine)
{
    const std::pair<const char*, nlohmann::json> cases[] = {
        {"fadein", "yes"}, {"min_ttl", "1"}, {"sprites", nlohmann::json{"dot", 3}}, {"sprites", "dot"}};
    for (const auto& [name, value] : cases) {
        nlohmann::json values = definition();
        values[name] = value;
        const std::string path = writeDefinition(values);
        ParticleSystem system;
        const std::string errors = captureStderr([&] { EXPECT_FALSE(system.load(path, 5, sprites)) << name; });
        EXPECT_EQ(errors.rfind("ParticleSystem: Wrong value type in [" + path + "]: ", 0), 0u) << errors;
        EXPECT_NE(errors.find("type must be"), std::string::npos) << errors;
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
    }
}

TEST_F(ParticleSystemLoad, OptionalKeysTakeTheirDefaults)
{
    nlohmann::json values = definition();
    values["fadein"] = true;
    ParticleSystem system = loadSystem(values, 300);
    system.emitting = true;

    // No "spawn_rate": nothing spawns by itself.
    system.update(5.0f);
    EXPECT_EQ(system.aliveCount(), 0u);

    // The spawn area is the whole picture, the fade-in reaches full opacity.
    float lowX = 1e9f, highX = -1e9f, lowY = 1e9f, highY = -1e9f;
    for (int i = 0; i < 300; ++i)
        system.emit();
    for (const Particle& p : system.particles()) {
        lowX = std::min(lowX, p.x), highX = std::max(highX, p.x);
        lowY = std::min(lowY, p.y), highY = std::max(highY, p.y);
        EXPECT_EQ(p.alphaTween.to, 1.0f);
    }
    EXPECT_GE(lowX, 0.0f);
    EXPECT_LE(highX, 1920.0f);
    EXPECT_GT(highX, 1700.0f);
    EXPECT_GE(lowY, 0.0f);
    EXPECT_LE(highY, 1080.0f);
    EXPECT_GT(highY, 900.0f);
}

using ParticleManagerLoad = ParticleFixture;

TEST_F(ParticleManagerLoad, RegistersEachSystemWithItsPoolSize)
{
    const std::string file = writeDefinition(definition());
    const std::string list = dir.write("particles.json", nlohmann::json{{"particlesystems", {
        {"plain", {{"file", file}}},
        {"three", {{"file", file}, {"instances", 3}}},
        {"none", {{"file", file}, {"instances", 0}}},
        {"fraction", {{"file", file}, {"instances", 2.9}}}}}}.dump());
    ParticleManager manager(sprites);
    EXPECT_TRUE(manager.load(list));

    EXPECT_EQ(manager.get("plain")->particles().size(), 100u);
    EXPECT_EQ(manager.get("three")->particles().size(), 3u);
    EXPECT_EQ(manager.get("fraction")->particles().size(), 2u);
    ParticleSystem* none = manager.get("none");
    ASSERT_NE(none, nullptr);
    none->emitAt(1.0f, 1.0f);
    EXPECT_EQ(none->aliveCount(), 0u);
    // Everyone who fetches a key shares one system.
    EXPECT_EQ(manager.get("three"), manager.get("three"));
}

TEST_F(ParticleManagerLoad, ReportsEachBadEntryAndSkipsIt)
{
    nlohmann::json incomplete = definition();
    incomplete.erase("max_ttl");
    const std::string good = writeDefinition(definition());
    const std::string list = dir.write("particles.json", nlohmann::json{{"particlesystems", {
        {"badfile", {{"file", 5}}},
        {"broken", {{"file", writeDefinition(incomplete, "broken.json")}}},
        {"good", {{"file", good}}},
        {"negative", {{"file", good}, {"instances", -1}}},
        {"nofile", {{"instances", 4}}}}}}.dump());
    ParticleManager manager(sprites);
    const std::string errors = captureStderr([&] { EXPECT_TRUE(manager.load(list)); });

    EXPECT_EQ(errors, "ParticleManager: Wrong value type in [badfile]: " + wrongTypeMessage(5) + "\n"
                      "validateJson: Missing prop: max_ttl.\n"
                      "ParticleSystem: Missing properties in jsonfile.\n"
                      "ParticleManager: Negative instances for [negative]\n"
                      "ParticleManager: Missing FILE property for [nofile]\n");
    EXPECT_TRUE(manager.contains("good"));
    for (const char* key : {"badfile", "broken", "negative", "nofile"})
        EXPECT_FALSE(manager.contains(key)) << key;
}

TEST_F(ParticleManagerLoad, FailsWithoutItsListOrItsFile)
{
    ParticleManager manager(sprites);
    const std::string empty = dir.write("empty.json", R"({"systems": {}})");
    EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(manager.load(empty)); }),
              "validateJson: Missing prop: particlesystems.\n");
    const std::string absent = dir.path() + "/absent.json";
    EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(manager.load(absent)); }),
              "ParticleManager: Unable to open file " + absent + ".\n");
}

TEST_F(ParticleManagerLoad, UnknownKeyIsReportedAndGivesNull)
{
    ParticleManager manager(sprites);
    ParticleSystem other;
    ParticleSystem* found = &other;
    EXPECT_EQ(captureStderr([&] { found = manager.get("rain_particles"); }),
              "ParticleManager: ParticleSystem with key rain_particles does not exist.\n");
    EXPECT_EQ(found, nullptr);
    EXPECT_FALSE(manager.contains("rain_particles"));
}
