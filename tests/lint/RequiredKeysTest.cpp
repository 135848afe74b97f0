#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "particles/ParticleManager.hpp"
#include "scenes/CogScene.hpp"
#include "scenes/DeskScene.hpp"
#include "scenes/DoorScene.hpp"
#include "scenes/EndingScene.hpp"
#include "scenes/OpeningScene.hpp"
#include "scenes/RequiredKeys.hpp"
#include "scenes/ScyllaScene.hpp"
#include "scenes/TextScript.hpp"
#include "scenes/WalkScene.hpp"
#include "scenes/WorkshopScene.hpp"
#include "support/TestSupport.hpp"
#include "text/TextManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

namespace {

// Empty registries: every key a scene fetches on its first frame is reported missing.
struct EmptyRegistries {
    TextureManager textures;
    SpriteManager sprites{textures};
    ParticleManager particles{sprites};
    TextManager texts{particles};
    sf::RenderTexture target;

    EmptyRegistries() { target.create(8, 8); }
    SceneContext context() { return SceneContext(sprites, particles, target); }
};

// The keys named by the "<owner>: <what> with key <key> does not exist." lines of `output`.
std::set<std::string> missingKeys(const std::string& output, const std::string& owner)
{
    const std::regex missing("^" + owner + ": \\w+ with key (\\S+) does not exist\\.$");
    std::set<std::string> keys;
    std::istringstream lines(output);
    std::string line;
    std::smatch match;
    while (std::getline(lines, line)) {
        if (std::regex_match(line, match, missing))
            keys.insert(match[1]);
    }
    return keys;
}

template <typename Scene>
std::string firstFrameOutput(EmptyRegistries& registries)
{
    Scene scene(registries.context());
    return captureStderr([&] { scene.frame(0.0f); });
}

} // namespace

TEST(RequiredKeys, AreTheKeysTheScenesAndThePoemFetch)
{
    EmptyRegistries registries;
    const std::string output = firstFrameOutput<OpeningScene>(registries) + firstFrameOutput<WalkScene>(registries) +
                               firstFrameOutput<DeskScene>(registries) + firstFrameOutput<WorkshopScene>(registries) +
                               firstFrameOutput<DoorScene>(registries) + firstFrameOutput<ScyllaScene>(registries) +
                               firstFrameOutput<CogScene>(registries) + firstFrameOutput<EndingScene>(registries);

    // The credits picture is the frame loop's own; every other sprite a scene fetches.
    std::set<std::string> sprites = missingKeys(output, "SpriteManager");
    sprites.insert("credits");
    EXPECT_EQ(sprites, std::set<std::string>(requiredSpriteKeys().begin(), requiredSpriteKeys().end()));
    EXPECT_EQ(missingKeys(output, "ParticleManager"), std::set<std::string>{kRainParticlesKey});
    EXPECT_EQ(missingKeys(output, "MusicManager"), std::set<std::string>{kSongKey});

    TextScript script(registries.texts);
    const std::string poemOutput = captureStderr([&] { script.frame(nullptr, 0.0f); });
    EXPECT_EQ(missingKeys(poemOutput, "TextManager"), std::set<std::string>{kPoemStyleKey});
}
