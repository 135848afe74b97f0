#include "scenes/Poem.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace {
// The song fixes the shape of every play: where and when it goes, and for a line how many
// characters and spaces it has, for a sung list how many words and on which notes.
struct Shape {
    PoemPlay::Kind kind;
    float delay;
    float y;
    int length;   // a line: characters
    int spaces;   // a line: spaces
    std::vector<float> notes;  // a word list: start times
};

const std::vector<Shape> kShapes = {
    {PoemPlay::Line, 16, 100, 36, 7, {}},
    {PoemPlay::Line, 20, 200, 30, 5, {}},
    {PoemPlay::Line, 24, 100, 38, 6, {}},
    {PoemPlay::Line, 27, 200, 30, 6, {}},
    {PoemPlay::Words, -1, 100, 0, 0, {32.75f, 33.25f, 33.5f, 33.75f}},
    {PoemPlay::Words, -1, 200, 0, 0, {34.75f, 35.5f}},
    {PoemPlay::Words, -1, 300, 0, 0, {36.75f, 37.5f}},
    {PoemPlay::Words, -1, 100, 0, 0, {40.75f, 41.25f, 41.5f, 41.75f}},
    {PoemPlay::Words, -1, 200, 0, 0, {42.75f, 43.25f}},
    {PoemPlay::Words, -1, 300, 0, 0, {44, 44.25f, 44.75f, 45.25f, 45.5f, 45.75f, 46}},
    {PoemPlay::Line, 48, 100, 32, 4, {}},
    {PoemPlay::Line, 52, 200, 31, 5, {}},
    {PoemPlay::Line, 56, 300, 40, 5, {}},
    {PoemPlay::Line, 60, 400, 42, 6, {}},
    {PoemPlay::Words, -1, 100, 0, 0, {64.75f, 65.25f, 65.5f, 66, 67.5f, 68, 69, 69.5f, 70, 70}},
    {PoemPlay::Words, -1, 200, 0, 0, {72.75f, 72.75f, 73.25f, 73.5f, 74, 75.5f, 75.5f, 76, 77}},
    {PoemPlay::Words, -1, 100, 0, 0, {80, 81, 82}},
    {PoemPlay::Words, -1, 200, 0, 0, {83, 84, 85, 86, 87}},
    {PoemPlay::Words, -1, 300, 0, 0, {88, 89, 90, 91, 92, 94}},
    {PoemPlay::Words, -1, 400, 0, 0, {96, 97, 98}},
    {PoemPlay::Words, -1, 500, 0, 0, {99, 100, 102}},
    {PoemPlay::Words, -1, 600, 0, 0, {103, 104, 105, 106}},
    {PoemPlay::Words, -1, 700, 0, 0, {107, 108}},
    {PoemPlay::Line, 112, 100, 23, 4, {}},
    {PoemPlay::Line, 116, 100, 30, 5, {}},
    {PoemPlay::Words, -1, 100, 0, 0,
     {128, 128.5f, 129.25f, 130, 130.75f, 131.25f, 132, 132.5f, 132.75f, 133.25f, 134, 134.75f}},
    {PoemPlay::Words, -1, 200, 0, 0, {136, 136.5f, 136.75f, 138, 138.5f, 138.75f}},
    {PoemPlay::Words, -1, 300, 0, 0, {140, 140.5f, 140.75f, 142, 142.5f, 142.75f}},
    {PoemPlay::Line, 160, 100, 24, 4, {}},
    {PoemPlay::Line, 168, 200, 33, 8, {}},
    {PoemPlay::Line, 172, 300, 22, 5, {}},
    {PoemPlay::Line, 175.5f, 400, 26, 4, {}},
};

bool isPlainPrintable(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}
}

TEST(Poem, EveryPlayKeepsTheShapeTheSongTimesItTo)
{
    ASSERT_EQ(kPoem.size(), kShapes.size());
    for (std::size_t i = 0; i < kShapes.size(); ++i) {
        SCOPED_TRACE("play " + std::to_string(i + 1));
        const PoemPlay& play = kPoem[i];
        const Shape& shape = kShapes[i];
        EXPECT_EQ(play.kind, shape.kind);
        EXPECT_FLOAT_EQ(play.delay, shape.delay);
        EXPECT_FLOAT_EQ(play.x, 100.0f);
        EXPECT_FLOAT_EQ(play.y, shape.y);
        EXPECT_FLOAT_EQ(play.duration, 3.0f);
        if (shape.kind == PoemPlay::Line) {
            EXPECT_TRUE(isPlainPrintable(play.line)) << play.line;
            EXPECT_TRUE(!play.line.empty() && play.line.front() != ' ' && play.line.back() != ' ') << play.line;
            EXPECT_EQ(play.line.size(), static_cast<std::size_t>(shape.length)) << play.line;
            EXPECT_EQ(std::count(play.line.begin(), play.line.end(), ' '), shape.spaces) << play.line;
            EXPECT_TRUE(play.words.empty());
            continue;
        }
        EXPECT_TRUE(play.line.empty());
        ASSERT_EQ(play.words.size(), shape.notes.size());
        for (std::size_t w = 0; w < shape.notes.size(); ++w) {
            const std::string& word = play.words[w].word;
            EXPECT_FLOAT_EQ(play.words[w].time, shape.notes[w]) << word;
            EXPECT_TRUE(isPlainPrintable(word) && !word.empty() && word.find(' ') == std::string::npos) << word;
        }
    }
}
