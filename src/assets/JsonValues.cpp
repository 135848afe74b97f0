#include "assets/JsonValues.hpp"

#include <cmath>
#include <limits>

int jsonInt(const nlohmann::json& value)
{
    const double number = value.get<double>();
    if (std::isnan(number))
        return 0;
    if (number >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (number <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (value.is_number_integer())
        return static_cast<int>(value.get<long long>());
    return static_cast<int>(number);
}

float jsonFloat(const nlohmann::json& value)
{
    const double number = value.get<double>();
    const double largest = static_cast<double>(std::numeric_limits<float>::max());
    if (number > largest)
        return std::numeric_limits<float>::infinity();
    if (number < -largest)
        return -std::numeric_limits<float>::infinity();
    return static_cast<float>(number);
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
