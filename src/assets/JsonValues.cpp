#include "assets/JsonValues.hpp"

#include <cmath>
#include <limits>

namespace {

// Truncates toward zero, clamping to the 32-bit range first: converting a number beyond it
// as it stands would be undefined.
int clampedToInt(double number)
{
    if (std::isnan(number))
        return 0;
    if (number >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (number <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(number);
}

} // namespace

int jsonInt(const nlohmann::json& value)
{
    if (value.is_number())
        return clampedToInt(value.get<double>());
    return value.get<int>();
}

float jsonFloat(const nlohmann::json& value)
{
    // A double beyond the float range has no single-precision value to round to.
    if (value.is_number_float()) {
        const double number = value.get<double>();
        const double largest = static_cast<double>(std::numeric_limits<float>::max());
        if (number > largest)
            return std::numeric_limits<float>::infinity();
        if (number < -largest)
            return -std::numeric_limits<float>::infinity();
    }
    return value.get<float>();
}

int jsonFloatTruncated(const nlohmann::json& value)
{
    return clampedToInt(static_cast<double>(jsonFloat(value)));
}

double jsonDouble(const nlohmann::json& value)
{
    return value.get<double>();
}

bool jsonBool(const nlohmann::json& value)
{
    return value.get<bool>();
}

std::string jsonString(const nlohmann::json& value)
{
    return value.get<std::string>();
}

int jsonIntOr(const nlohmann::json& object, const char* name, int fallback)
{
    return object.contains(name) ? jsonInt(object.at(name)) : fallback;
}

float jsonFloatOr(const nlohmann::json& object, const char* name, float fallback)
{
    return object.contains(name) ? jsonFloat(object.at(name)) : fallback;
}

int jsonFloatTruncatedOr(const nlohmann::json& object, const char* name, int fallback)
{
    return object.contains(name) ? jsonFloatTruncated(object.at(name)) : fallback;
}

double jsonDoubleOr(const nlohmann::json& object, const char* name, double fallback)
{
    return object.contains(name) ? jsonDouble(object.at(name)) : fallback;
}

bool jsonBoolOr(const nlohmann::json& object, const char* name, bool fallback)
{
    return object.contains(name) ? jsonBool(object.at(name)) : fallback;
}

std::string jsonStringOr(const nlohmann::json& object, const char* name, const std::string& fallback)
{
    return object.contains(name) ? jsonString(object.at(name)) : fallback;
}
