#pragma once

#include "particles/ParticleManager.hpp"
#include "text/TextSystem.hpp"

#include <nlohmann/json.hpp>

#include <memory>
#include <stdexcept>
#include <string>

// The poem's typeface as the build stages it (the tests run in the game folder).
inline const std::string kStagedFont = "assets/fonts/EBGaramond12-Regular.otf";

// A text style entry: the staged font at 40 px plus `extra` (which may override both).
inline nlohmann::json styleEntry(const nlohmann::json& extra = nlohmann::json::object())
{
    nlohmann::json entry = {{"font", kStagedFont}, {"size", 40}};
    entry.update(extra);
    return entry;
}

// A style built from `entry` over `particles`; throws (failing the test) when it does not build.
inline std::unique_ptr<TextSystem> buildStyle(const nlohmann::json& entry,
                                              ParticleManager& particles = ParticleManager::instance())
{
    auto system = std::make_unique<TextSystem>();
    if (!system->buildFromJson(entry, "test_text", particles))
        throw std::runtime_error("the style " + entry.dump() + " does not build");
    return system;
}

// Runs `frames` updates of `dt` seconds.
template <typename Updatable>
void advance(Updatable& target, int frames, float dt)
{
    for (int i = 0; i < frames; ++i)
        target.update(dt);
}
