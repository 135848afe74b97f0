#pragma once

#include <nlohmann/json.hpp>

#include <string>

// Typed reads of JSON values as the data files use them. Each throws the library's
// type_error for a value of the wrong JSON type (a string where a number is wanted, ...);
// the loaders catch it and skip the entry. The integer and single-precision reads take a
// boolean as the number 0 or 1, as the library does; the double read does not.

// A number read directly as a 32-bit integer, the fraction truncated toward zero; values
// beyond the 32-bit range are clamped to it instead of overflowing.
int jsonInt(const nlohmann::json& value);
// A number in single precision; beyond the float range it becomes infinite.
float jsonFloat(const nlohmann::json& value);
// A number read in single precision first, then truncated toward zero to a 32-bit integer
// (clamped to its range), so 254.99999999 gives 255.
int jsonFloatTruncated(const nlohmann::json& value);
// A number in double precision.
double jsonDouble(const nlohmann::json& value);
bool jsonBool(const nlohmann::json& value);
std::string jsonString(const nlohmann::json& value);

// The member `name` of `object` read as above, or `fallback` when it is absent.
int jsonIntOr(const nlohmann::json& object, const char* name, int fallback);
float jsonFloatOr(const nlohmann::json& object, const char* name, float fallback);
int jsonFloatTruncatedOr(const nlohmann::json& object, const char* name, int fallback);
double jsonDoubleOr(const nlohmann::json& object, const char* name, double fallback);
bool jsonBoolOr(const nlohmann::json& object, const char* name, bool fallback);
std::string jsonStringOr(const nlohmann::json& object, const char* name, const std::string& fallback);
