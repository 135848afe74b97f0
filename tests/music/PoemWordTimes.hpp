#pragma once

#include <vector>

// The start times of the poem's word lists, in seconds after the opening scene's first frame
// (when the song starts at its beginning), as the design's table of the text script gives
// them. Kept here as data of their own, so that the song is checked against the table and not
// against the game's copy of it.
struct WordList {
    int play;                   // the play's number in the table
    std::vector<double> words;  // each word's start time, in list order
};

inline const std::vector<WordList> kPoemWordLists = {
    {5, {32.75, 33.25, 33.5, 33.75}},
    {6, {34.75, 35.5}},
    {7, {36.75, 37.5}},
    {8, {40.75, 41.25, 41.5, 41.75}},
    {9, {42.75, 43.25}},
    {10, {44, 44.25, 44.75, 45.25, 45.5, 45.75, 46}},
    {15, {64.75, 65.25, 65.5, 66, 67.5, 68, 69, 69.5, 70, 70}},
    {16, {72.75, 72.75, 73.25, 73.5, 74, 75.5, 75.5, 76, 77}},
    {17, {80, 81, 82}},
    {18, {83, 84, 85, 86, 87}},
    {19, {88, 89, 90, 91, 92, 94}},
    {20, {96, 97, 98}},
    {21, {99, 100, 102}},
    {22, {103, 104, 105, 106}},
    {23, {107, 108}},
    {26, {128, 128.5, 129.25, 130, 130.75, 131.25, 132, 132.5, 132.75, 133.25, 134, 134.75}},
    {27, {136, 136.5, 136.75, 138, 138.5, 138.75}},
    {28, {140, 140.5, 140.75, 142, 142.5, 142.75}},
};
