#include "GameCopy.hpp"

#include "scenes/Poem.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/OutputSoundFile.hpp>

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

// Each test breaks a copy of the staged game in one way or a few related ways and checks
// that the lint names every fault and fails. The lint loads the whole game each time, so the
// faults of one kind share a copy.

namespace {

// The lint failed and printed each of `lines`, a line beginning with each of `starts` and,
// when `findings` is given, that count last.
void expectAll(const LintRun& run, const std::vector<std::string>& lines, const std::vector<std::string>& starts = {},
               int findings = 0)
{
    EXPECT_EQ(run.status, 1) << run.all();
    for (const std::string& line : lines)
        EXPECT_TRUE(run.has(line)) << "missing: " << line << "\n" << run.all();
    for (const std::string& start : starts)
        EXPECT_TRUE(run.hasStart(start)) << "missing: " << start << "...\n" << run.all();
    EXPECT_TRUE(findings == 0 || run.lines.back() == std::to_string(findings) + " findings") << run.all();
}

} // namespace

TEST(Lint, FindsNothingInTheShippedGame)
{
    const LintRun run = runLint(std::filesystem::current_path().string());
    EXPECT_EQ(run.status, 0) << run.all();
    EXPECT_EQ(run.lines, std::vector<std::string>{"0 findings"});
}

TEST(Lint, RefusesAFolderItCannotEnter)
{
    // Linting the current folder instead would pass a game that is not there.
    const LintRun run = runLint("/nonexistent/drennmoor");
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.lines.empty()) << run.all();
}

TEST(LintKeys, ReportsEveryKeyTheFilmNeedsThatNoFileDefines)
{
    GameCopy copy;
    copy.edit("assets/sprites.json", [](auto& d) { d["sprites"].erase("house_0"); });
    copy.edit("assets/particles.json", [](auto& d) {
        d["particlesystems"]["drizzle"] = d["particlesystems"]["rain_particles"];
        d["particlesystems"].erase("rain_particles");
    });
    copy.edit("assets/music.json", [](auto& d) { d["music"].erase("demo_song"); });
    // With 31 instances the last line of the poem would be dropped without a word.
    copy.edit("assets/text/text.json", [](auto& d) { d["textsystems"]["demo_text"]["num_instances"] = 31; });
    expectAll(runLint(copy.path()),
              {"assets/sprites.json: no sprite \"house_0\", which the film shows",
               "assets/particles.json: no particle system \"rain_particles\", which the rain scenes step",
               "assets/music.json: no song \"demo_song\", which the opening scene plays",
               "assets/text/text.json: text style \"demo_text\" has 31 instances; the poem queues 32 plays at once"},
              {}, 4);
}

TEST(LintMedia, ReportsPicturesFontsAndSongsThatDoNotOpen)
{
    GameCopy copy;
    copy.write("assets/zelt.png", "not a picture");
    copy.edit("assets/textures.json", [](auto& d) { d["textures"]["zelt"]["file"] = "assets/zelt.png"; });
    copy.edit("assets/text/text.json",
              [](auto& d) { d["textsystems"]["demo_text"]["font"] = "assets/fonts/Missing.otf"; });
    copy.write("assets/song.ogg", "not a song");
    copy.edit("assets/music.json", [](auto& d) { d["music"]["demo_song"]["file"] = "assets/song.ogg"; });
    // SFML's own reasons come along, under the file that was loading.
    expectAll(runLint(copy.path()),
              {"assets/textures.json: TextureManager: Unable to load file assets/zelt.png.",
               "assets/sprites.json: TextureManager: Texture with key zelt does not exist.",
               "assets/sprites.json: no sprite \"zelt\", which the film shows",
               "assets/text/text.json: TextSystem: Missing FONT property.",
               "assets/text/text.json: no text style \"demo_text\", which the poem plays on",
               "assets/music.json: song \"demo_song\": assets/song.ogg does not open as audio"},
              {"assets/textures.json: Failed to load image \"assets/zelt.png\"",
               "assets/text/text.json: Failed to load font \"assets/fonts/Missing.otf\""});
}

TEST(LintMedia, ReportsASongThatStopsDecodingOrLoopsPastItsEnd)
{
    GameCopy copy;
    // The song with a run of its middle overwritten: it opens, but decoding stops there.
    std::string song = readFile("assets/music/demo_song.ogg");
    ASSERT_GT(song.size(), 100000u);
    const auto middle = song.begin() + static_cast<long>(song.size() / 2);
    std::fill(middle, middle + 20000, '\x5a');
    copy.write("assets/damaged.ogg", song);
    copy.edit("assets/music.json", [](auto& d) {
        d["music"]["demo_song"]["file"] = "assets/damaged.ogg";
        d["music"]["far_loop"] = {{"file", "assets/music/demo_song.ogg"}, {"loopTo", 36000000}};
    });
    expectAll(runLint(copy.path()), {},
              {"assets/music.json: song \"demo_song\": assets/damaged.ogg stops decoding after ",
               "assets/music.json: song \"far_loop\": loopTo 36000000 ms lies outside the song ("},
              2);
}

TEST(LintLoaders, ReportsEveryLineTheLoadersPrint)
{
    GameCopy copy;
    // A particle definition without a required key, a value of the wrong type, and a file
    // cut off in the middle.
    copy.edit("assets/particles/rain.json", [](auto& d) { d.erase("max_ttl"); });
    copy.edit("assets/textures.json", [](auto& d) { d["textures"]["zelt"]["repeated"] = "no"; });
    const std::string sprites = readFile(copy.path() + "/assets/sprites.json");
    copy.write("assets/sprites.json", sprites.substr(0, sprites.size() / 2));
    expectAll(runLint(copy.path()),
              {"assets/particles.json: validateJson: Missing prop: max_ttl.",
               "assets/particles.json: ParticleSystem: Missing properties in jsonfile.",
               "assets/sprites.json: SpriteManager: Error while parsing JSON."},
              {"assets/textures.json: TextureManager: Wrong value type in [zelt]: "});
}

TEST(LintSprites, ReportsRectanglesOutsideTheirTexturesUnlessTheTextureRepeats)
{
    GameCopy copy;
    copy.edit("assets/sprites.json", [](auto& d) {
        d["sprites"]["desk_3"]["rectW"] = 100000;
        d["sprites"]["desk_2"]["rectX"] = -1;
        d["sprites"]["door_1"]["rectW"] = 100000;
        d["sprites"]["cog1"]["rectW"] = 100000;  // autocenter shows the whole texture whatever the rectangle
    });
    copy.edit("assets/textures.json", [](auto& d) { d["textures"]["door_1"]["repeated"] = true; });
    // The shipped rectangles are cropped to what each picture shows, so only the edited part
    // of each rectangle is known here.
    const LintRun run = runLint(copy.path());
    expectAll(run, {},
              {"assets/sprites.json: sprite \"desk_3\": texture rectangle (",
               "assets/sprites.json: sprite \"desk_2\": texture rectangle (-1, "},
              2);
    EXPECT_NE(run.all().find(", 100000, "), std::string::npos) << run.all();
}

TEST(LintText, ReportsEasingIdsOutsideTheNineteenCurves)
{
    GameCopy copy;
    copy.edit("assets/text/text.json", [](auto& d) {
        nlohmann::json credits = d["textsystems"]["demo_text"];
        credits["ease_in"] = 16;
        credits["ease_out"] = -1;
        d["textsystems"]["credits_text"] = credits;
        d["textsystems"]["demo_text"]["ease_in"] = 17;
        d["textsystems"]["demo_text"]["ease_out"] = 111.9;  // read as 111, sine-out, as the game reads it
    });
    const std::string notACurve = " is no easing curve (0 to 16, 111, 112)";
    expectAll(runLint(copy.path()),
              {"assets/text/text.json: text style \"demo_text\": ease_in 17" + notACurve,
               "assets/text/text.json: text style \"credits_text\": ease_out -1" + notACurve},
              {}, 2);
}

TEST(LintSong, ReportsASongOffItsScoreAndAPoemPastTheRightOfThePicture)
{
    // The shipped song 60 ms late (every word off its note), a second short, played half as
    // loud again (it clips), looping from the middle of a bar; the poem twice its size.
    sf::InputSoundFile in;
    ASSERT_TRUE(in.openFromFile("assets/music/demo_song.ogg"));
    const unsigned rate = in.getSampleRate();
    const unsigned channels = in.getChannelCount();
    std::vector<sf::Int16> samples(static_cast<std::size_t>(0.06 * rate) * channels, 0);
    std::vector<sf::Int16> shipped(static_cast<std::size_t>(in.getSampleCount()));
    shipped.resize(static_cast<std::size_t>(in.read(shipped.data(), shipped.size())));
    for (const sf::Int16 sample : shipped)
        samples.push_back(static_cast<sf::Int16>(std::clamp(sample * 3 / 2, -32768, 32767)));
    samples.resize(static_cast<std::size_t>(199 * rate) * channels);
    GameCopy copy;
    {
        sf::OutputSoundFile out;
        ASSERT_TRUE(out.openFromFile(copy.path() + "/assets/late.wav", rate, channels));
        out.write(samples.data(), samples.size());
    }
    copy.edit("assets/music.json", [](auto& d) {
        d["music"]["demo_song"]["file"] = "assets/late.wav";
        d["music"]["demo_song"]["loopTo"] = 17000;
    });
    copy.edit("assets/text/text.json", [](auto& d) { d["textsystems"]["demo_text"]["size"] = 96; });

    const std::string song = "assets/music.json: song \"demo_song\": ";
    std::vector<std::string> starts = {song + "peaks at ", "poem: play 14 ends at x = "};
    for (std::size_t play = 0; play < kPoem.size(); ++play) {
        for (std::size_t n = 0; n < kPoem[play].words.size(); ++n)
            starts.push_back(song + "play " + std::to_string(play + 1) + ", word " + std::to_string(n + 1) + " (\"" +
                             kPoem[play].words[n].word + "\") at ");
    }
    expectAll(runLint(copy.path()),
              {song + "lasts 199.000 s; the score lasts 200 s",
               song + "loopTo 17000 ms is not on a bar line (one every 2 s)"},
              starts);
}
