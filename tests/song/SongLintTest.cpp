#include "lint/GameCopy.hpp"

#include "scenes/Poem.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/OutputSoundFile.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

// The lint listening to the poem's song: the shipped game, whose song lasts its score and
// has a note under every sung word, and a song made wrong in every way it checks. Decoding
// and hearing 200 s of audio is most of what these cost; they test the onset arithmetic and
// the decoder, not the game's memory handling, so the sanitizer pass leaves them out.

TEST(LintSong, FindsNothingInTheShippedGame)
{
    const LintRun run = runLint(std::filesystem::current_path().string());
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_EQ(run.output, "0 findings\n");
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
    runLint(copy.path()).expectFindings({song + "lasts 199.000 s; the score lasts 200 s",
                                         song + "loopTo 17000 ms is not on a bar line (one every 2 s)"},
                                        starts);
}
