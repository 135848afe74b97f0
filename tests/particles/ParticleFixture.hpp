#pragma once

#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleSystem.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <string>
#include <utility>

// Two tiny sprites, "dot" (white) and "dash" (blue), 2 x 2 pixels each, in registries of the
// test's own, and a complete particle definition whose values the tests override. Every test
// leaves rand as the program finds it (as if seeded with 1).
class ParticleFixture : public testing::Test {
protected:
    ParticleFixture()
    {
        for (const auto& [key, colour] : {std::pair{"dot", sf::Color::White}, std::pair{"dash", sf::Color::Blue}}) {
            sf::Image image;
            image.create(2, 2, colour);
            image.saveToFile(dir.path() + "/" + key + ".png");
            textures.add(key, dir.path() + "/" + key + ".png", false);
        }
        const std::string list = dir.write("sprites.json",
            R"({"sprites": {"dot": {"texture": "dot"}, "dash": {"texture": "dash"}}})");
        sprites.load(list);
    }

    ~ParticleFixture() override { std::srand(1); }

    // Every required key, with still particles that live 10 s and show "dot" opaque.
    static nlohmann::json definition()
    {
        return {{"name", "test"}, {"sprites", {"dot"}},
                {"min_xs", 0}, {"max_xs", 0}, {"min_ys", 0}, {"max_ys", 0},
                {"min_xg", 0}, {"max_xg", 0}, {"min_yg", 0}, {"max_yg", 0},
                {"min_rot", 0}, {"max_rot", 0}, {"min_rotspeed", 0}, {"max_rotspeed", 0},
                {"min_scale", 1}, {"max_scale", 1}, {"min_scalespeed", 0}, {"max_scalespeed", 0},
                {"fadein", false}, {"fadeout", false}, {"min_fadespeed", 0.5}, {"max_fadespeed", 0.5},
                {"min_ttl", 10}, {"max_ttl", 10}};
    }

    // True when `body` draws no number from rand (a full pool must not shift the film's draws).
    template <typename Body>
    static bool drawsNoRandomNumber(Body body)
    {
        std::srand(7);
        const int expected = std::rand();
        std::srand(7);
        body();
        return std::rand() == expected;
    }

    std::string writeDefinition(const nlohmann::json& values, const std::string& name = "system.json")
    {
        return dir.write(name, values.dump());
    }

    // A loaded system; the test fails when the definition does not load.
    ParticleSystem loadSystem(const nlohmann::json& values, int instances)
    {
        ParticleSystem system;
        EXPECT_TRUE(system.load(writeDefinition(values), instances, sprites));
        return system;
    }

    TempDir dir;
    TextureManager textures;
    SpriteManager sprites{textures};
};
