#include "particles/Random.hpp"

#include <cstdlib>

float randomFraction()
{
    return static_cast<float>(static_cast<double>(std::rand()) / static_cast<double>(RAND_MAX));
}

float randomBetween(float low, float high)
{
    return randomFraction() * (high - low) + low;
}
