#include "core/Opacity.hpp"

unsigned char alphaByte(float alpha)
{
    const float value = alpha * 255.0f;
    // Converting a float outside the int range (or NaN) would be undefined.
    if (!(value > -2147483648.0f && value < 2147483648.0f))
        return 0;
    return static_cast<unsigned char>(static_cast<int>(value) & 0xFF);
}
