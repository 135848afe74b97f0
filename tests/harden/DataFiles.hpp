#pragma once

#include <functional>
#include <string>
#include <vector>

class TinyGameFolder;

// What one load of a data file's text left behind.
struct Loaded {
    bool result = false;            // what the loader returned (config.json's: true)
    std::string errors;             // everything written to standard error
    std::vector<std::string> keys;  // which of the shipped file's keys the fresh registry holds
};

// One of the game's shipped data files and the loader the game reads it with.
struct DataFile {
    std::string path;   // relative to the game folder
    std::string owner;  // the start of its parse-error line ("TextureManager")
    std::string top;    // the member holding the entries; empty when the file has none
    // Every line a load may print begins with one of these.
    std::vector<std::string> linePrefixes;
    // The keys the shipped file registers, in key order (the definition's: "rain" when it loads).
    std::vector<std::string> keys;
    // What a load prints when the document is not an object.
    std::string notObjectLines;
    // What a load prints for an entry that is not an object (registry files only).
    std::function<std::string(const std::string& key)> entryNotObjectLines;
    // Loads `text` into a fresh registry over the tiny game folder's earlier registries. A
    // particle definition that loads is also run for a second and drawn; every text style
    // that loads also plays a line for two seconds and is drawn.
    std::function<Loaded(const std::string& text)> load;
};

// The shipped data file at `path` ("config.json", "assets/particles/rain.json", ...).
DataFile dataFile(TinyGameFolder& folder, const std::string& path);

// Empty when every line of `errors` ends in a newline, is not empty and begins with one of
// `prefixes`; otherwise the first offending line.
std::string unknownLine(const std::string& errors, const std::vector<std::string>& prefixes);
