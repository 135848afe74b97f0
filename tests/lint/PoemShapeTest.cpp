#include "scenes/Poem.hpp"
#include "scenes/PoemShape.hpp"

#include <gtest/gtest.h>

// The words are free to change, so the expected lines quote them from the poem itself.
TEST(PoemShape, NamesEachPlayThatLeavesItsShape)
{
    std::vector<PoemPlay> poem = kPoem;
    poem[0].line.back() = ' ';             // still 36 characters, but 8 spaces, one trailing
    poem[4].words[1].time = 33.5f;         // the second word sung on the next note
    poem[9].words.pop_back();              // six words for seven notes
    poem[10].line += "!";                  // 33 characters
    poem[12].kind = PoemPlay::Words;
    poem[16].words[2].word = "wheel, on";  // two words on one note
    poem[23].delay = 113.0f;
    poem[28].y = 150.0f;
    poem[31].duration = 4.0f;
    poem[1].line[0] = '\xe9';              // the same length, but not ASCII
    poem[5].words[0].word = "h\xe9" "ads";
    EXPECT_EQ(poemShapeFaults(poem), (std::vector<std::string>{
                                         "play 1: a line with 8 spaces; the song times 7",
                                         "play 1: the line \"" + poem[0].line + "\" begins or ends with a space",
                                         "play 2: the line \"" + poem[1].line +
                                             "\" holds a character outside printable ASCII",
                                         "play 5: word 2 (\"" + poem[4].words[1].word +
                                             "\") at 33.5 s; its note is at 33.25 s",
                                         "play 6: word 1 (\"h\xe9" "ads\") holds a character outside printable ASCII",
                                         "play 10: 6 words; the song has 7 notes",
                                         "play 11: a line of 33 characters; the song times 32",
                                         "play 13: a word list; the song times a line",
                                         "play 17: word 3 (\"wheel, on\") is not one word",
                                         "play 24: delay 113 s; the song times 112 s",
                                         "play 29: placed at (100, 150); the script places it at (100, 100)",
                                         "play 32: letters live 4 s; the song times 3 s",
                                     }));

    poem = kPoem;
    poem.pop_back();
    EXPECT_EQ(poemShapeFaults(poem), std::vector<std::string>{"the poem has 31 plays; the song times 32"});
}
