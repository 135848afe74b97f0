#include "GameCopy.hpp"

#include "support/NamedPipe.hpp"

#include <SFML/Graphics/Image.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

// The lint on a copy of the staged game broken in many ways at once, each test checking that
// it names the faults of one kind. Loading the whole game is the lint's cost, so the group
// runs it once. The copy has no "demo_song", so nothing here listens to the song (the song's
// own checks are tests/song's).

namespace {

class LintFaults : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        GameCopy copy;
        breakKeys(copy);
        breakMedia(copy);
        breakValues(copy);
        run = runLint(copy.path());
        pipesOpened = pictureOnPipe->opened() || particlesOnPipe->opened();
        pictureOnPipe.reset();
        particlesOnPipe.reset();
    }

    // Keys the film fetches that no file defines.
    static void breakKeys(const GameCopy& copy)
    {
        copy.edit("assets/sprites.json", [](auto& d) { d["sprites"].erase("house_0"); });
        copy.edit("assets/particles.json", [](auto& d) {
            d["particlesystems"]["drizzle"] = d["particlesystems"]["rain_particles"];
            d["particlesystems"].erase("rain_particles");
        });
        copy.edit("assets/music.json", [](auto& d) { d["music"].erase("demo_song"); });
        // With 31 instances the last line of the poem would be dropped without a word.
        copy.edit("assets/text/text.json", [](auto& d) { d["textsystems"]["demo_text"]["num_instances"] = 31; });
    }

    // Pictures, fonts and songs that do not open or decode.
    static void breakMedia(const GameCopy& copy)
    {
        copy.write("assets/broken.png", "not a picture");
        copy.edit("assets/textures.json", [](auto& d) { d["textures"]["drennmoor"]["file"] = "assets/broken.png"; });
        copy.edit("assets/text/text.json", [](auto& d) {
            d["textsystems"]["caption_text"] = d["textsystems"]["demo_text"];
            d["textsystems"]["caption_text"]["font"] = "assets/fonts/Missing.otf";
        });
        // A picture of one pixel in place of the fade's tile and of a cropped picture, and a
        // named pipe in place of a picture and of a particle definition (the lint waited on it
        // for ever).
        sf::Image pixel;
        pixel.create(1, 1, sf::Color::White);
        ASSERT_TRUE(pixel.saveToFile(copy.path() + "/assets/one_pixel.png"));
        copy.edit("assets/textures.json", [](auto& d) {
            d["textures"]["black"]["file"] = "assets/one_pixel.png";
            d["textures"]["closeup_3"]["file"] = "assets/one_pixel.png";
            d["textures"]["pipe"] = {{"file", "assets/pipe.png"}};
        });
        pictureOnPipe = std::make_unique<NamedPipe>(copy.path() + "/assets/pipe.png");
        particlesOnPipe = std::make_unique<NamedPipe>(copy.path() + "/assets/particles/pipe.json");
        copy.edit("assets/particles.json",
                  [](auto& d) { d["particlesystems"]["pipe"] = {{"file", "assets/particles/pipe.json"}}; });
        copy.write("assets/song.ogg", "not a song");
        // The shipped song with a run of its middle overwritten: it opens, but decoding stops.
        std::string song = readFile("assets/music/demo_song.ogg");
        ASSERT_GT(song.size(), 100000u);
        const auto middle = song.begin() + static_cast<long>(song.size() / 2);
        std::fill(middle, middle + 20000, '\x5a');
        copy.write("assets/damaged.ogg", song);
        copy.edit("assets/music.json", [](auto& d) {
            d["music"]["broken_song"] = {{"file", "assets/song.ogg"}};
            d["music"]["damaged_song"] = {{"file", "assets/damaged.ogg"}};
            d["music"]["far_loop"] = {{"file", "assets/music/demo_song.ogg"}, {"loopTo", 36000000}};
        });
    }

    // Values the loaders take without a word: rectangles, easing ids.
    static void breakValues(const GameCopy& copy)
    {
        copy.edit("assets/sprites.json", [](auto& d) {
            d["sprites"]["desk_3"]["rectW"] = 100000;
            d["sprites"]["desk_2"]["rectX"] = -1;
            d["sprites"]["door_1"]["rectW"] = 100000;  // its texture repeats
            d["sprites"]["cog1"]["rectW"] = 100000;    // autocenter shows the whole texture whatever the rectangle
        });
        copy.edit("assets/textures.json", [](auto& d) { d["textures"]["door_1"]["repeated"] = true; });
        copy.edit("assets/text/text.json", [](auto& d) {
            nlohmann::json credits = d["textsystems"]["demo_text"];
            credits["ease_in"] = 16;
            credits["ease_out"] = -1;
            d["textsystems"]["credits_text"] = credits;
            d["textsystems"]["demo_text"]["ease_in"] = 17;
            d["textsystems"]["demo_text"]["ease_out"] = 111.9;  // read as 111, sine-out, as the game reads it
        });
    }

    // No line begins with `start`.
    static void expectNone(const std::string& start)
    {
        EXPECT_FALSE(run.hasStart(start)) << "unexpected: " << start << "...\n" << run.output;
    }

    static inline LintRun run;
    static inline bool pipesOpened = false;
    static inline std::unique_ptr<NamedPipe> pictureOnPipe;
    static inline std::unique_ptr<NamedPipe> particlesOnPipe;
};

} // namespace

TEST(Lint, RefusesAFolderItCannotEnter)
{
    // Linting the current folder instead would pass a game that is not there.
    const LintRun run = runLint("/nonexistent/drennmoor");
    EXPECT_EQ(run.status, 2);
    EXPECT_EQ(run.output, "");
}

TEST_F(LintFaults, ReportsEveryKeyTheFilmNeedsThatNoFileDefines)
{
    run.expectFindings({"assets/sprites.json: no sprite \"house_0\", which the film shows",
                        "assets/particles.json: no particle system \"rain_particles\", which the rain scenes step",
                        "assets/music.json: no song \"demo_song\", which the opening scene plays",
                        "assets/text/text.json: text style \"demo_text\" has 31 instances; "
                        "the poem queues 32 plays at once"});
    const auto findings = std::count(run.output.begin(), run.output.end(), '\n') - 1;
    const std::string summary = std::to_string(findings) + " findings\n";
    EXPECT_EQ(run.output.rfind(summary), run.output.size() - summary.size()) << run.output;
}

TEST_F(LintFaults, ReportsPicturesFontsAndSongsThatDoNotOpen)
{
    // SFML's own reasons come along, under the file that was loading.
    run.expectFindings({"assets/textures.json: TextureManager: Unable to load file assets/broken.png.",
                        "assets/sprites.json: TextureManager: Texture with key drennmoor does not exist.",
                        "assets/sprites.json: no sprite \"drennmoor\", which the film shows",
                        "assets/text/text.json: TextSystem: Missing FONT property.",
                        "assets/music.json: song \"broken_song\": assets/song.ogg does not open as audio"},
                       {"assets/textures.json: Failed to load image \"assets/broken.png\"",
                        "assets/text/text.json: Failed to load font \"assets/fonts/Missing.otf\""});
}

// A named pipe hung the lint in open() for ever; a picture of one pixel in place of a cropped
// one played with the picture gone, and the lint said "0 findings".
TEST_F(LintFaults, ReportsNamedPipesAndPicturesOfAnotherSizeThanTheirCrop)
{
    run.expectFindings({"assets/textures.json: TextureManager: Unable to load file assets/pipe.png: a named pipe, "
                        "not a file.",
                        "assets/particles.json: ParticleSystem: Unable to open file assets/particles/pipe.json: "
                        "a named pipe, not a file.",
                        "assets/textures.json: texture \"black\": its picture is 1 x 1, not the 8 x 8 of its crop",
                        "assets/textures.json: texture \"closeup_3\": its picture is 1 x 1, "
                        "not the 1920 x 690 of its crop"});
    EXPECT_FALSE(pipesOpened);
}

TEST_F(LintFaults, ReportsASongThatStopsDecodingOrLoopsPastItsEnd)
{
    run.expectFindings({}, {"assets/music.json: song \"damaged_song\": assets/damaged.ogg stops decoding after ",
                            "assets/music.json: song \"far_loop\": loopTo 36000000 ms lies outside the song ("});
}

TEST_F(LintFaults, ReportsRectanglesOutsideTheirTexturesUnlessTheTextureRepeats)
{
    // The shipped rectangles are cropped to what each picture shows, so only the edited part
    // of each rectangle is known here.
    run.expectFindings({}, {"assets/sprites.json: sprite \"desk_3\": texture rectangle (",
                            "assets/sprites.json: sprite \"desk_2\": texture rectangle (-1, "});
    EXPECT_NE(run.output.find(", 100000, "), std::string::npos) << run.output;
    expectNone("assets/sprites.json: sprite \"door_1\"");
    expectNone("assets/sprites.json: sprite \"cog1\"");
}

TEST_F(LintFaults, ReportsEasingIdsOutsideTheNineteenCurves)
{
    const std::string notACurve = " is no easing curve (0 to 16, 111, 112)";
    run.expectFindings({"assets/text/text.json: text style \"demo_text\": ease_in 17" + notACurve,
                        "assets/text/text.json: text style \"credits_text\": ease_out -1" + notACurve});
    expectNone("assets/text/text.json: text style \"demo_text\": ease_out");
    expectNone("assets/text/text.json: text style \"credits_text\": ease_in");
}
