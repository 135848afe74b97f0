#pragma once

#include "scenes/Poem.hpp"

#include <string>
#include <vector>

// The shape the song gives each play of the poem. The words are free to change, but a play
// that leaves its shape falls out of time with the music: a line's letters are staggered by
// its characters and spaces, a sung list shows each word on its note.
struct PoemShape {
    PoemPlay::Kind kind;
    float delay;     // seconds after the opening began (a line); -1 for a word list
    float x, y;      // pixels
    float duration;  // seconds each letter lives
    int length;      // a line: characters, spaces included
    int spaces;      // a line: how many of them are spaces
    std::vector<float> notes;  // a word list: each word's start time, in list order
};

// The 32 shapes, in the order the plays are queued.
const std::vector<PoemShape>& poemShapes();

// One line for each way `poem` leaves these shapes, naming the play by its number from 1
// ("play 12: a line of 31 characters; the song times 32"); empty when every play keeps its
// shape. Also reported: a line with a leading or trailing space, an empty word or one
// holding a space (it would be laid out as two words on one note), and a line or word with a
// byte outside printable ASCII (the poem is laid out letter by letter from plain ASCII).
std::vector<std::string> poemShapeFaults(const std::vector<PoemPlay>& poem);
