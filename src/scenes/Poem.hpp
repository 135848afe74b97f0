#pragma once

#include "text/TimedWord.hpp"

#include <string>
#include <vector>

// The poem written over the film: 32 plays of the "demo_text" style, queued all at once and
// timed from the opening scene's first frame. Lines are written letter by letter from their
// start time; sung word lists show each word on its note. Rewrite the words freely, but keep
// every line's length and number of spaces and every list's number of words: the times below
// are the song's.

struct PoemPlay {
    enum Kind { Line, Words };

    Kind kind;
    float delay;     // seconds after the opening began (a line); -1 for a word list
    float x, y;      // pixels
    float duration;  // seconds each letter lives
    std::string line;              // a Line play
    std::vector<TimedWord> words;  // a Words play: seconds after the opening began, word
};

inline const std::vector<PoemPlay> kPoem = {
    // The face in the rain, the house on the moor.
    {PoemPlay::Line, 16.0f, 100, 100, 3, "Rain on the moor, rain upon my face,", {}},
    {PoemPlay::Line, 20.0f, 100, 200, 3, "one window burning on the hill", {}},
    {PoemPlay::Line, 24.0f, 100, 100, 3, "where someone keeps a lamp for nobody,", {}},
    {PoemPlay::Line, 27.0f, 100, 200, 3, "and I am waiting to be called.", {}},

    // The procession to the tower.
    {PoemPlay::Words, -1, 100, 100, 3, "", {{32.75f, "Cloaks"}, {33.25f, "on"}, {33.5f, "the"}, {33.75f, "road,"}}},
    {PoemPlay::Words, -1, 100, 200, 3, "", {{34.75f, "heads"}, {35.5f, "bowed,"}}},
    {PoemPlay::Words, -1, 100, 300, 3, "", {{36.75f, "lamps"}, {37.5f, "low,"}}},
    {PoemPlay::Words, -1, 100, 100, 3, "", {{40.75f, "up"}, {41.25f, "to"}, {41.5f, "the"}, {41.75f, "tower"}}},
    {PoemPlay::Words, -1, 100, 200, 3, "", {{42.75f, "they"}, {43.25f, "climb,"}}},
    {PoemPlay::Words, -1, 100, 300, 3, "",
     {{44.0f, "and"}, {44.25f, "none"}, {44.75f, "of"}, {45.25f, "them"}, {45.5f, "call"}, {45.75f, "my"},
      {46.0f, "name."}}},

    // The desk: a letter under the lamp.
    {PoemPlay::Line, 48.0f, 100, 100, 3, "Lamplight, and a letter, sliding", {}},
    {PoemPlay::Line, 52.0f, 100, 200, 3, "across the table, into my hand,", {}},
    {PoemPlay::Line, 56.0f, 100, 300, 3, "unsigned, the handwriting almost my own,", {}},
    {PoemPlay::Line, 60.0f, 100, 400, 3, "saying only: come, the wheels are waiting.", {}},

    // The workshop: hooks on the cable, lines of papers, cogs.
    {PoemPlay::Words, -1, 100, 100, 3, "",
     {{64.75f, "High"}, {65.25f, "in"}, {65.5f, "the"}, {66.0f, "dark"}, {67.5f, "the"}, {68.0f, "hooks"},
      {69.0f, "ride"}, {69.5f, "up"}, {70.0f, "the"}, {70.0f, "wire,"}}},
    {PoemPlay::Words, -1, 100, 200, 3, "",
     {{72.75f, "each"}, {72.75f, "one"}, {73.25f, "holding"}, {73.5f, "a"}, {74.0f, "day"}, {75.5f, "I"},
      {75.5f, "had"}, {76.0f, "not"}, {77.0f, "lived."}}},
    {PoemPlay::Words, -1, 100, 100, 3, "", {{80.0f, "Wheel"}, {81.0f, "on"}, {82.0f, "wheel,"}}},
    {PoemPlay::Words, -1, 100, 200, 3, "",
     {{83.0f, "grinding"}, {84.0f, "the"}, {85.0f, "hours"}, {86.0f, "to"}, {87.0f, "dust,"}}},
    {PoemPlay::Words, -1, 100, 300, 3, "",
     {{88.0f, "lines"}, {89.0f, "of"}, {90.0f, "letters"}, {91.0f, "hung"}, {92.0f, "to"}, {94.0f, "dry,"}}},
    {PoemPlay::Words, -1, 100, 400, 3, "", {{96.0f, "every"}, {97.0f, "one"}, {98.0f, "mine,"}}},
    {PoemPlay::Words, -1, 100, 500, 3, "", {{99.0f, "and"}, {100.0f, "never"}, {102.0f, "sent."}}},
    {PoemPlay::Words, -1, 100, 600, 3, "", {{103.0f, "Still"}, {104.0f, "the"}, {105.0f, "wheels"}, {106.0f, "turn,"}}},
    {PoemPlay::Words, -1, 100, 700, 3, "", {{107.0f, "and"}, {108.0f, "turn."}}},

    // The door into white light.
    {PoemPlay::Line, 112.0f, 100, 100, 3, "Then a door, and light,", {}},
    {PoemPlay::Line, 116.0f, 100, 100, 3, "white as a page never written.", {}},

    // The many-headed thing over the storm.
    {PoemPlay::Words, -1, 100, 100, 3, "",
     {{128.0f, "Down,"}, {128.5f, "down"}, {129.25f, "it"}, {130.0f, "came,"}, {130.75f, "a"}, {131.25f, "head"},
      {132.0f, "for"}, {132.5f, "all"}, {132.75f, "I"}, {133.25f, "did"}, {134.0f, "not"}, {134.75f, "say,"}}},
    {PoemPlay::Words, -1, 100, 200, 3, "",
     {{136.0f, "with"}, {136.5f, "my"}, {136.75f, "face,"}, {138.0f, "with"}, {138.5f, "my"}, {138.75f, "voice,"}}},
    {PoemPlay::Words, -1, 100, 300, 3, "",
     {{140.0f, "calling"}, {140.5f, "me"}, {140.75f, "back,"}, {142.0f, "calling"}, {142.5f, "me"},
      {142.75f, "home."}}},

    // Home: the figure at the door, in the rain.
    {PoemPlay::Line, 160.0f, 100, 100, 3, "Home again, in the rain,", {}},
    {PoemPlay::Line, 168.0f, 100, 200, 3, "and a lamp is lit for me at last.", {}},
    {PoemPlay::Line, 172.0f, 100, 300, 3, "It was I who wrote it,", {}},
    {PoemPlay::Line, 175.5f, 100, 400, 3, "that letter, and the rain.", {}},
};
