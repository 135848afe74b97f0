#pragma once

#include "scenes/Poem.hpp"

#include <string>
#include <vector>

// The poem's song heard against its score and the poem, one line for each fault, empty when
// there is none: the song does not last the score's 200 s (100 bars of 4/4 at 120 crotchets a
// minute, as music/demo_song.abc writes it); its loop point `loopToMs` is not on a bar line
// (every 2 s); it peaks above -1 dBFS (the decoder's overshoot clips); the 0.1 s before its
// end or before the loop point is not silent (the loop's join clicks); a sung word of `poem`
// has no onset of the song within 30 ms of its time. Decodes the whole file `file`, which
// must open; plays nothing.
std::vector<std::string> songTimingFaults(const std::string& file, double loopToMs,
                                          const std::vector<PoemPlay>& poem);
