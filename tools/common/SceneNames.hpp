#pragma once

// The name the tools print for a scene id ("lead-in" for -1, "desk" for 25, "quit" for 666):
// the film's own table's.
#include "core/FilmOrder.hpp"

using film::sceneName;
