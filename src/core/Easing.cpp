#include "core/Easing.hpp"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr float kBack = 1.70158f;
constexpr float kBackPlusOne = 2.70158f;
constexpr float kBackInOut = 2.5949094f;
constexpr float kBackInOutPlusOne = 3.5949094f;

// Single-precision helpers that compute in double, as the curves are defined.
float singleCos(float x) { return static_cast<float>(std::cos(static_cast<double>(x))); }
float singleSin(float x) { return static_cast<float>(std::sin(static_cast<double>(x))); }
float singleSqrt(float x) { return static_cast<float>(std::sqrt(static_cast<double>(x))); }

// The bounce polynomial works in double, except that each piece's shifted position q is
// rounded to single precision first, as the curve is defined; the result is rounded at the end.
float easeOutBounce(float t, float b, float c, float d)
{
    const double p = static_cast<double>(t / d);
    const double cc = c;
    const double bb = b;
    if (p < 1.0 / 2.75)
        return static_cast<float>(cc * 7.5625 * p * p + bb);
    if (p < 2.0 / 2.75) {
        const double q = static_cast<float>(p - 1.5 / 2.75);
        return static_cast<float>(cc * (7.5625 * q * q + 0.75) + bb);
    }
    if (p < 2.5 / 2.75) {
        const double q = static_cast<float>(p - 2.25 / 2.75);
        return static_cast<float>(cc * (7.5625 * q * q + 0.9375) + bb);
    }
    const double q = static_cast<float>(p - 2.625 / 2.75);
    return static_cast<float>(cc * (7.5625 * q * q + 0.984375) + bb);
}

// The exponential curves take their exponent in single precision; only 2^x, the multiply and
// the add are in double, rounded once at the end.
double powerOfTwo(float exponent) { return std::pow(2.0, static_cast<double>(exponent)); }
float scaledAndShifted(float c, double value, float b)
{
    return static_cast<float>(static_cast<double>(c) * value + static_cast<double>(b));
}

} // namespace

bool isValidEaseType(int type)
{
    return (type >= Linear && type <= ExpoInOut) || type == SineOut || type == SineInOut;
}

float ease(int type, float t, float b, float c, float d)
{
    const float h = t / (d * 0.5f);
    const float c2 = c * 0.5f;
    switch (type) {
    case Linear:
        return (t * c) / d + b;
    case SineIn: {
        const float p = t / d;
        return b + (c - c * singleCos(static_cast<float>(p * (kPi / 2.0))));
    }
    case SineOut: {
        const float p = t / d;
        return c * singleSin(static_cast<float>(p * (kPi / 2.0))) + b;
    }
    case SineInOut: {
        // The angle is formed in double, left to right, and rounded once before the cosine.
        const float angle = static_cast<float>(kPi * static_cast<double>(t) / static_cast<double>(d));
        return b - c2 * (singleCos(angle) - 1.0f);
    }
    case CubicIn: {
        const float p = t / d;
        return c * p * p * p + b;
    }
    case CubicOut: {
        const float q = t / d - 1.0f;
        return c * (q * q * q + 1.0f) + b;
    }
    case CubicInOut: {
        if (h < 1.0f)
            return c2 * h * h * h + b;
        const float g = h - 2.0f;
        return c2 * (g * g * g + 2.0f) + b;
    }
    case BackIn: {
        const float p = t / d;
        return c * p * p * (kBackPlusOne * p - kBack) + b;
    }
    case BackOut: {
        const float q = t / d - 1.0f;
        return c * (q * q * (kBackPlusOne * q + kBack) + 1.0f) + b;
    }
    case BackInOut: {
        if (h < 1.0f)
            return c2 * (h * h * (kBackInOutPlusOne * h - kBackInOut)) + b;
        const float g = h - 2.0f;
        return c2 * (g * g * (kBackInOutPlusOne * g + kBackInOut) + 2.0f) + b;
    }
    case CircIn: {
        const float p = t / d;
        return b - c * (singleSqrt(1.0f - p * p) - 1.0f);
    }
    case CircOut: {
        const float q = t / d - 1.0f;
        return c * singleSqrt(1.0f - q * q) + b;
    }
    case CircInOut: {
        if (h < 1.0f)
            return b - c2 * (singleSqrt(1.0f - h * h) - 1.0f);
        const float g = h - 2.0f;
        return b + c2 * (singleSqrt(1.0f - g * g) + 1.0f);
    }
    case ExpoIn:
        if (t == 0.0f)
            return b;
        return scaledAndShifted(c, powerOfTwo(10.0f * (t / d - 1.0f)), b);
    case ExpoOut:
        if (t == d)
            return b + c;
        return scaledAndShifted(c, 1.0 - powerOfTwo(-10.0f * t / d), b);
    case ExpoInOut:
        if (t == 0.0f)
            return b;
        if (t == d)
            return b + c;
        if (h < 1.0f)
            return scaledAndShifted(c2, powerOfTwo(10.0f * (h - 1.0f)), b);
        return scaledAndShifted(c2, 2.0 - powerOfTwo(-10.0f * (h - 1.0f)), b);
    case BounceOut:
        return easeOutBounce(t, b, c, d);
    case BounceIn:
        return b + c - easeOutBounce(d - t, 0.0f, c, d);
    case BounceInOut:
        if (t < d * 0.5f)
            return b + 0.5f * (c - easeOutBounce(d - 2.0f * t, 0.0f, c, d));
        return b + 0.5f * easeOutBounce(2.0f * t - d, 0.0f, c, d) + 0.5f * c;
    default:
        return b;
    }
}
