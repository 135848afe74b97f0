#include "particles/Random.hpp"

#include <cstdlib>

int randomValue()
{
    return std::rand() % (kRandomMax + 1);
}

float randomBetween(float low, float high)
{
    const float r = static_cast<float>(randomValue()) / static_cast<float>(kRandomMax);
    return r * (high - low) + low;
}
