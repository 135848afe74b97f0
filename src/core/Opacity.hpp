#pragma once

// The alpha byte handed to the graphics library for an opacity from 0 to 1: alpha x 255
// truncated toward zero, kept to its low 8 bits (0.5 gives 127; an overshoot of 1.05 wraps
// round to a small value). A value beyond the integer range, or NaN, gives 0.
unsigned char alphaByte(float alpha);
