#pragma once

#include <string>

// Fills the folder `folder` like a game folder in which the shipped data files load
// thousands of times without decoding a real picture or song: config.json and the data files
// copied from `dataFrom` (a staged game folder or the source tree), the poem's font copied
// from `font`, a 1 x 1 to 5 x 3 stand-in for every picture that assets/textures.json names
// (sizes that differ, so that odd halves and full-size rectangles differ from picture to
// picture) and a fifth of a second of silence for every song that assets/music.json names.
// Empty when all is made; otherwise what could not be.
std::string makeStandInGame(const std::string& folder, const std::string& dataFrom, const std::string& font);
