#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "assets/SpriteManager.hpp"
#include "particles/ParticleManager.hpp"
#include "particles/ParticleSystem.hpp"
#include "support/TestSupport.hpp"
#include "text/TextSystem.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

TEST(JsonFile, MissingFileSaysWhichAndFails)
{
    nlohmann::json document;
    EXPECT_EQ(captureStderr([&] { EXPECT_FALSE(readJsonFile("TextureManager", "no/such.json", document)); }),
              "TextureManager: Unable to open file no/such.json.\n");
}

// Booleans count as 0 or 1; a float read rounds to single precision before an integer is
// formed from it; numbers beyond a range are clamped instead of overflowing (undefined).
TEST(JsonValues, NumbersReadAsIntegersOrInSinglePrecision)
{
    const float infinity = std::numeric_limits<float>::infinity();
    const int most = std::numeric_limits<int>::max();
    const int least = std::numeric_limits<int>::min();
    struct Case {
        nlohmann::json value;
        int asInt;
        float asFloat;
        int floatTruncated;
    };
    const Case cases[] = {
        {true, 1, 1.0f, 1},
        {false, 0, 0.0f, 0},
        {254.99999999, 254, 255.0f, 255},
        {-36.9, -36, -36.9f, -36},
        {2147483647, most, 2147483648.0f, most},
        {18446744073709551615u, most, 18446744073709551616.0f, most},
        {1e300, most, infinity, most},
        {-1e300, least, -infinity, least},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(jsonInt(c.value), c.asInt) << c.value;
        EXPECT_EQ(jsonFloat(c.value), c.asFloat) << c.value;
        EXPECT_EQ(jsonFloatTruncated(c.value), c.floatTruncated) << c.value;
    }
    for (const nlohmann::json& wrong : {nlohmann::json("7"), nlohmann::json::object(), nlohmann::json::array(),
                                         nlohmann::json()}) {
        EXPECT_THROW(jsonInt(wrong), nlohmann::json::type_error) << wrong;
        EXPECT_THROW(jsonFloat(wrong), nlohmann::json::type_error) << wrong;
    }
}

// A data file may write true or false for a number: a text style and a particle definition
// with booleans load; a string is still refused with the library's message.
TEST(JsonValues, BooleansLoadInTextStylesAndParticleDefinitions)
{
    TextSystem style;
    const nlohmann::json entry = {{"font", "assets/fonts/EBGaramond12-Regular.otf"}, {"size", true},
                                  {"fillcolor_r", true}, {"fillcolor_g", 254.99999999},
                                  {"outlinecolor_width", false}, {"num_instances", true}};
    ASSERT_EQ(captureStderr([&] { EXPECT_TRUE(style.buildFromJson(entry, "bools", ParticleManager::instance())); }),
              "");
    ASSERT_EQ(style.instances.size(), 1u);
    EXPECT_EQ(style.instances[0].characterSize, 1u);
    EXPECT_EQ(style.instances[0].fillR, 1);
    EXPECT_EQ(style.instances[0].fillG, 255);
    EXPECT_EQ(style.instances[0].outlineWidth, 0);

    nlohmann::json definition = {{"name", "bools"}, {"sprites", nlohmann::json::array()}, {"fadein", true},
                                 {"fadeout", false}};
    for (const char* range : {"xs", "ys", "xg", "yg", "rot", "rotspeed", "scale", "scalespeed", "fadespeed", "ttl"}) {
        definition[std::string("min_") + range] = false;
        definition[std::string("max_") + range] = true;
    }
    const auto load = [&](const nlohmann::json& document, bool loads) {
        std::istringstream stream(document.dump());
        ParticleSystem system;
        return captureStderr([&] {
            EXPECT_EQ(system.loadFromStream(stream, "bools.json", 4, SpriteManager::instance()), loads);
        });
    };
    EXPECT_EQ(load(definition, true), "");
    definition["max_ttl"] = "1";
    EXPECT_EQ(load(definition, false), "ParticleSystem: Wrong value type in [bools.json]: "
                                       "[json.exception.type_error.302] type must be number, but is string\n");
}
