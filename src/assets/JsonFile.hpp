#pragma once

#include <nlohmann/json.hpp>

#include <functional>
#include <initializer_list>
#include <iosfwd>
#include <string>

// The reading step every loader starts with. `owner` is the class name that prefixes the
// messages ("TextureManager", "ParticleSystem", ...).
//
// Opens `path`; when it cannot be opened prints "<owner>: Unable to open file <path>." and
// returns false; a folder, a named pipe or a file larger than kMostDataFileBytes is not
// opened, and the line says what it is ("...: a folder, not a file."). Otherwise parses it
// into `document` and returns true. A syntax error prints
// "<owner>: Error while parsing JSON." and the library's message (a failed read, the system's
// message), and leaves in `document` whatever the parser had built before the error (null for
// an empty file).
bool readJsonFile(const std::string& owner, const std::string& path, nlohmann::json& document);

// The same step on an already open stream (used by readJsonFile and by the fuzz targets).
void readJsonStream(const std::string& owner, std::istream& stream, nlohmann::json& document);

// What a registry's load (path) and loadFromStream (stream) do: the reading step, then
// `process` on the document (its property check and its entries). False when the file does
// not open; otherwise what `process` gives.
using DocumentProcess = std::function<bool(const nlohmann::json&)>;
bool loadJsonFile(const std::string& owner, const std::string& path, const DocumentProcess& process);
bool loadJsonStream(const std::string& owner, std::istream& stream, const DocumentProcess& process);

// True when `document` is an object holding every name. Otherwise prints
// "validateJson: Missing prop: <first missing name>." and returns false.
bool validateJson(const nlohmann::json& document, std::initializer_list<const char*> names);

// The line for an entry holding a value of the wrong JSON type; the entry is skipped.
void reportWrongType(const std::string& owner, const std::string& key, const nlohmann::json::exception& error);
