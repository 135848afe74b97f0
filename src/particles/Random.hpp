#pragma once

// The one source of randomness of the particles: the standard library's rand, never seeded,
// so every run of the film draws the same sequence.

// One value of rand divided by the largest value rand can give, so 0 to 1 with both ends
// possible. (Where rand runs to 32767 this is rand / 32767; the C library here runs higher,
// and dividing by 32767 would throw particles millions of pixels away.)
float randomFraction();

// A uniform value between `low` and `high`: randomFraction() scaled into the range, in single
// precision. Both ends can occur; a range with low > high still yields values between the two.
float randomBetween(float low, float high);
