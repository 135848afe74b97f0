#pragma once

#include <iosfwd>
#include <string>

class MusicManager;

// The player's choices from config.json, read once before the window exists.
struct Config {
    bool fullscreen = false;
    bool vsync = true;
};

// The game's one configuration.
Config& gameConfig();

// Reads config.json from the working directory into gameConfig(); "music": false mutes
// MusicManager::instance(). A missing or broken file prints its line and keeps the defaults.
void loadConfig();

// The same from any path into any config and music player (tests use fresh ones).
void loadConfig(const std::string& path, Config& config, MusicManager& music);

// The same from an open stream holding the file's text (the fuzz target feeds it bytes).
void loadConfig(std::istream& stream, Config& config, MusicManager& music);
