#pragma once

// The one source of randomness of the particles: the standard library's rand, never seeded,
// so every run of the film draws the same sequence.

// The largest value randomValue() returns.
constexpr int kRandomMax = 32767;

// One call of rand, kept to 0..32767 (its low 15 bits) on a library whose rand runs higher,
// so the values are the same wherever rand is 15 bits wide and never exceed the range.
int randomValue();

// A uniform value between `low` and `high`: randomValue() / 32767 scaled into the range, in
// single precision. Both ends can occur; a range with low > high still yields values
// between the two.
float randomBetween(float low, float high);
