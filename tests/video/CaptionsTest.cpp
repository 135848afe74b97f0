#include "scenes/Poem.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

// The poem's captions: the WebVTT file that drennmoor-film --video writes beside the MP4 and
// the MP4's subtitle track, against the frames the film draws. One short export around the
// poem's second line, which starts while the first still shows, with those frames also
// written as PNG by the same run.

namespace {
const std::string kFilm = "./drennmoor-film";

struct Cue {
    double start = 0.0;  // seconds of the video
    std::string text;
};

// Each cue's start and its text, lines joined by '\n'. Its start "HH:MM:SS.mmm", or
// "MM:SS.mmm" as ffmpeg writes it back.
std::vector<Cue> cues(const std::string& vtt)
{
    std::istringstream lines(vtt);
    std::vector<Cue> found;
    for (std::string line; std::getline(lines, line);) {
        if (line.find(" --> ") == std::string::npos)
            continue;
        Cue cue;
        std::istringstream stamp(line.substr(0, line.find(' ')));
        for (std::string part; std::getline(stamp, part, ':');)
            cue.start = cue.start * 60.0 + std::stod(part);
        for (std::string text; std::getline(lines, text) && !text.empty();)
            cue.text += (cue.text.empty() ? "" : "\n") + text;
        found.push_back(cue);
    }
    return found;
}

// How many pixels of the box where the line's first letter is written differ clearly
// between two frames. The letters are drawn over everything, bright on the dark moor.
int changedPixels(const sf::Image& before, const sf::Image& after, const PoemPlay& play)
{
    int changed = 0;
    for (unsigned y = static_cast<unsigned>(play.y) - 40; y < static_cast<unsigned>(play.y) + 30; ++y)
        for (unsigned x = static_cast<unsigned>(play.x) - 10; x < static_cast<unsigned>(play.x) + 40; ++x) {
            const sf::Color a = before.getPixel(x, y);
            const sf::Color b = after.getPixel(x, y);
            if (b.r + b.g + b.b >= a.r + a.g + a.b + 24)
                ++changed;
        }
    return changed;
}
}

TEST(Captions, ALineIsCaptionedFromTheFrameItsFirstLetterShowsBesideTheVideoAndInIt)
{
    const PoemPlay& shown = kPoem[0];
    const PoemPlay& line = kPoem[1];
    ASSERT_EQ(line.kind, PoemPlay::Line);
    // Six frames from two before the line's start.
    const double from = line.delay - 2 / 30.0;
    std::string times;
    for (int k = 0; k < 6; ++k)
        times += (k > 0 ? "," : "") + std::to_string(from + k / 30.0);
    TempDir folder;
    const Outcome film = shell(kFilm + " --video " + folder.path() + "/v.mp4 --from " + std::to_string(from) +
                             " --until " + std::to_string(from + 0.2) + " --at " + times + " --out " +
                             folder.path() + " 2>&1");
    ASSERT_EQ(film.status, 0) << film.output;

    // The first line still shows on the video's first frame; the second begins within it.
    const std::vector<Cue> besides = cues(readFile(folder.path() + "/v.vtt"));
    ASSERT_EQ(besides.size(), 2u) << readFile(folder.path() + "/v.vtt");
    EXPECT_EQ(besides[0].start, 0.0);
    EXPECT_EQ(besides[0].text, shown.line);
    EXPECT_EQ(besides[1].text, line.line);

    // The frames in time order (their names hold the times): the first is before the line.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        if (entry.path().extension() == ".png")
            names.push_back(entry.path().string());
    std::sort(names.begin(), names.end());
    ASSERT_EQ(names.size(), 6u);
    std::vector<sf::Image> frames(names.size());
    for (std::size_t k = 0; k < names.size(); ++k)
        ASSERT_TRUE(frames[k].loadFromFile(names[k]));
    int first = -1;
    for (std::size_t k = 1; k < frames.size() && first < 0; ++k)
        if (changedPixels(frames[0], frames[k], line) >= 20)
            first = static_cast<int>(k);
    ASSERT_GT(first, 0) << "the letter never showed";
    EXPECT_NEAR(besides[1].start, first / 30.0, 1.0 / 30 + 0.001);

    // The MP4's track shows one caption at a time: from each cue's start, a caption that
    // holds its line (and, once both show, the two lines, top first).
    const std::string video = folder.path() + "/v.mp4";
    EXPECT_EQ(shell("ffprobe -v error -select_streams s:0 -show_entries stream=codec_name -of csv=p=0 " + video)
                  .output,
              "mov_text\n");
    const std::vector<Cue> inside = cues(shell("ffmpeg -v error -i " + video + " -map 0:s:0 -f webvtt -").output);
    ASSERT_EQ(inside.size(), 2u);
    EXPECT_NEAR(inside[0].start, besides[0].start, 0.001);
    EXPECT_EQ(inside[0].text, shown.line);
    EXPECT_NEAR(inside[1].start, besides[1].start, 0.001);
    EXPECT_EQ(inside[1].text, shown.line + "\n" + line.line);
}
