#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "core/ScreenFade.hpp"
#include "particles/ParticleManager.hpp"
#include "scenes/CogScene.hpp"
#include "scenes/DeskScene.hpp"
#include "scenes/DoorScene.hpp"
#include "scenes/EndingScene.hpp"
#include "scenes/OpeningScene.hpp"
#include "scenes/RequiredKeys.hpp"
#include "scenes/ScyllaScene.hpp"
#include "scenes/WalkScene.hpp"
#include "scenes/WorkshopScene.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <regex>

// Every scene of the film on its own, on fresh registries (each sprite key a small picture,
// or none at all; no rain), drawing into an 8 x 8 picture.
namespace {

using Frame = std::function<int(float)>;

// Each stage change drops the rest of one frame, so a scene hands over late by fewer frames
// than it has stages; none has ten.
constexpr int kMostFramesLate = 10;

struct SceneCase {
    const char* name;
    int id;
    float length;   // seconds, as the film times it
    bool fadesOut;  // it ends in a fade to black
    std::vector<std::string> keptAtTop;  // layers whose top edge never comes below the picture's
    std::function<Frame(SceneContext)> make;
};

template <typename Scene>
SceneCase sceneCase(const char* name, float length, bool fadesOut, std::vector<std::string> keptAtTop = {})
{
    return {name, Scene::kId, length, fadesOut, std::move(keptAtTop), [](SceneContext context) {
                auto scene = std::make_shared<Scene>(context);
                return Frame([scene](float dt) { return scene->frame(dt); });
            }};
}

// One scene on registries holding every sprite the film fetches, or none.
struct SceneRun {
    explicit SceneRun(bool withPictures)
    {
        std::string entries;
        for (const std::string& key : withPictures ? requiredSpriteKeys() : std::vector<std::string>{}) {
            sf::Image image;
            image.create(2, 2, sf::Color(200, 120, 40));
            image.saveToFile(folder.path() + "/" + key + ".png");
            textures.add(key, folder.path() + "/" + key + ".png", false);
            entries += std::string(entries.empty() ? "" : ",") + "\"" + key + "\": {\"texture\": \"" + key + "\"}";
        }
        sprites.load(folder.write("sprites.json", "{\"sprites\": {" + entries + "}}"));
        target.create(8, 8);
        target.clear(sf::Color::Transparent);
        frame = scene().make(SceneContext(sprites, particles, target));
    }

    static const SceneCase& scene() { return testing::TestWithParam<SceneCase>::GetParam(); }

    // Runs frames of `dt` until the scene hands over (at most 10,000); how many ran.
    // `fadedOut` tells whether the screen was fading to black on the frame before.
    int framesUntilHandOver(float dt, bool* fadedOut = nullptr)
    {
        for (int n = 1; n <= 10000; ++n) {
            if (fadedOut != nullptr)
                *fadedOut = screenFade().direction == FadeDirection::Out;
            const int next = frame(dt);
            for (const std::string& key : scene().keptAtTop)
                EXPECT_LE(sprites.contains(key) ? sprites.get(key)->getPosition().y : 0.0f, 0.0f) << key << " at " << n;
            if (next != scene().id)
                return n;
        }
        return -1;
    }

    TempDir folder;
    TextureManager textures;
    SpriteManager sprites{textures};
    ParticleManager particles{sprites};
    sf::RenderTexture target;
    Frame frame;
};

class Scenes : public testing::TestWithParam<SceneCase> {};

void PrintTo(const SceneCase& scene, std::ostream* out) { *out << scene.name; }

} // namespace

TEST_P(Scenes, LastTheirLengthAtAnyFrameRateLateByAtMostOneFramePerStage)
{
    for (const float dt : {0.25f, 1.0f / 60.0f}) {
        SceneRun run(true);
        int frames = 0;
        captureStderr([&] { frames = run.framesUntilHandOver(dt); });
        EXPECT_GE(frames * dt, GetParam().length - 1e-3f) << "frames of " << dt << " s";
        EXPECT_LE(frames * dt, GetParam().length + kMostFramesLate * dt) << "frames of " << dt << " s";
    }
}

TEST_P(Scenes, AfterAHundredSecondFrameTheyStillFadeToBlackBeforeTheyHandOver)
{
    // A long frame (the window dragged) ends one stage at most: the scene is not cut short.
    screenFade() = ScreenFade();
    SceneRun run(true);
    bool fadedOut = false;
    int frames = 0;
    captureStderr([&] { frames = run.framesUntilHandOver(100.0f, &fadedOut); });
    EXPECT_GE(frames, GetParam().fadesOut ? 2 : 1);
    EXPECT_EQ(fadedOut, GetParam().fadesOut);
}

TEST_P(Scenes, WithoutTheirPicturesKeepTheirTimeAndDrawNothingSayingSoOnTheFirstFrameOnly)
{
    SceneRun run(false);
    const std::string firstFrame = captureStderr([&] { EXPECT_EQ(run.frame(0.25f), GetParam().id); });
    EXPECT_NE(firstFrame.find("does not exist."), std::string::npos);
    // Each key it fetches is one the lint asks a game folder for.
    std::vector<std::string> known = requiredSpriteKeys();
    known.insert(known.end(), {kRainParticlesKey, kSongKey});
    const std::regex missing("with key (\\S+) does not exist\\.");
    for (std::sregex_iterator key(firstFrame.begin(), firstFrame.end(), missing); key != std::sregex_iterator(); ++key)
        EXPECT_NE(std::find(known.begin(), known.end(), (*key)[1].str()), known.end()) << (*key)[1];
    int frames = 0;
    EXPECT_EQ(captureStderr([&] { frames = run.framesUntilHandOver(0.25f); }), "");
    EXPECT_GE((frames + 1) * 0.25f, GetParam().length - 1e-3f);
    EXPECT_LE((frames + 1) * 0.25f, GetParam().length + kMostFramesLate * 0.25f);
    run.target.display();
    EXPECT_EQ(run.target.getTexture().copyToImage().getPixel(0, 0), sf::Color::Transparent);
}

INSTANTIATE_TEST_SUITE_P(Film, Scenes,
                         testing::Values(sceneCase<OpeningScene>("Opening", 32, true),
                                         sceneCase<WalkScene>("Walk", 16, true), sceneCase<DeskScene>("Desk", 16, true),
                                         sceneCase<WorkshopScene>("Workshop", 48, true),
                                         sceneCase<DoorScene>("Door", 16, false),
                                         sceneCase<ScyllaScene>("Scylla", 16, true, {"scylla_1", "scylla_2"}),
                                         sceneCase<CogScene>("Cog", 16, true), sceneCase<EndingScene>("Ending", 20, true)),
                         [](const testing::TestParamInfo<SceneCase>& info) { return info.param.name; });
