#include "core/Config.hpp"

#include "assets/MusicManager.hpp"
#include "core/DataFiles.hpp"
#include "core/Diagnostics.hpp"
#include "core/FileCheck.hpp"

#include <nlohmann/json.hpp>

#include <fstream>
#include <exception>
#include <ios>

namespace {

// A key holding something other than a boolean keeps its default; the others still apply.
template <typename Apply>
void applyBoolean(const nlohmann::json& document, const char* key, Apply apply)
{
    if (!document.is_object() || !document.contains(key))
        return;
    try {
        apply(document.at(key).get<bool>());
    } catch (const nlohmann::json::exception& error) {
        reportLine(std::string("config.json: Wrong value type for \"") + key + "\": " + error.what());
    }
}

// The lines for a file that is no JSON, `error` saying why.
void reportUnparsed(const std::exception& error)
{
    reportLine("config.json: Error while parsing JSON.");
    reportLine(error.what());
}

} // namespace

Config& gameConfig()
{
    static Config config;
    return config;
}

void loadConfig()
{
    loadConfig(dataFiles::kConfig, gameConfig(), MusicManager::instance());
}

void loadConfig(const std::string& path, Config& config, MusicManager& music)
{
    // A named pipe would hang the open (no window would ever open), a folder throws on its
    // first read, a huge file takes the machine's memory: each says what it is.
    const std::string refused = notADataFile(path);
    if (!refused.empty()) {
        reportLine("config.json: Unable to open file " + path + ": " + refused + ".");
        return;
    }
    std::ifstream file(path);
    if (!file.is_open()) {
        reportLine("Config.json missing.");
        return;
    }
    loadConfig(file, config, music);
}

void loadConfig(std::istream& stream, Config& config, MusicManager& music)
{
    nlohmann::json document;
    try {
        stream >> document;
    } catch (const nlohmann::json::exception& error) {
        // Nothing is applied unless the whole file parsed.
        reportUnparsed(error);
        return;
    } catch (const std::ios_base::failure& error) {
        // A read that fails under the parser (the file's device) is as bad as a syntax error.
        reportUnparsed(error);
        return;
    }

    applyBoolean(document, "fullscreen", [&](bool value) { config.fullscreen = value; });
    applyBoolean(document, "music", [&](bool value) {
        if (!value)
            music.mute();
    });
    applyBoolean(document, "vsync", [&](bool value) { config.vsync = value; });
}
