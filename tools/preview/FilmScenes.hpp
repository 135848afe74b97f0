#pragma once

#include "core/FilmOrder.hpp"

#include <array>
#include <vector>

// What the preview's timeline knows of the film: when each scene begins and where the poem's
// lines and word lists start. Times are seconds after the opening scene's first frame.

// The start of the latest scene that began at least `grace` seconds before `time` (Page
// Up: within the first moments of a scene, the one before it), or the lead-in's start.
double previousSceneStart(double time, double grace);
// The start of the first scene that begins after `time`, or `time` past the last one.
double nextSceneStart(double time);
// The id of the scene playing at `time` by the table.
int sceneAt(double time);

// The start of each line and of each word list of the poem (its first word), in order.
std::vector<double> poemStarts();
