#include "SongInput.hpp"

#include "ShellWord.hpp"
#include "ToolNumbers.hpp"

#include "assets/JsonFile.hpp"
#include "assets/JsonValues.hpp"
#include "core/DataFiles.hpp"
#include "core/Diagnostics.hpp"
#include "core/FileCheck.hpp"
#include "scenes/RequiredKeys.hpp"

#include <nlohmann/json.hpp>

#include <unistd.h>

namespace {
const std::string kName = "drennmoor-film: ";
}

bool SongInput::read()
{
    // Read as the game reads it: a named pipe or a huge file is refused in one line.
    nlohmann::json document;
    readJsonFile("drennmoor-film", dataFiles::kMusic, document);
    const nlohmann::json* entry = nullptr;
    if (document.is_object() && document.contains("music") && document["music"].is_object() &&
        document["music"].contains(kSongKey))
        entry = &document["music"][kSongKey];
    if (entry == nullptr || !entry->is_object() || !entry->contains("file") || !(*entry)["file"].is_string()) {
        reportLine(kName + dataFiles::kMusic + " declares no file for " + kSongKey + "; cannot write the video's sound");
        return false;
    }
    m_file = (*entry)["file"].get<std::string>();
    // The game's own reading of the volume: a whole percentage, 37.9 plays as 37.
    try {
        m_gain = jsonIntOr(*entry, "volume", 100) / 100.0;
    } catch (const nlohmann::json::exception&) {
        m_gain = 1.0;
    }
    const std::string refused = notAFile(m_file);
    if (!refused.empty()) {
        reportLine(kName + "cannot read the song " + m_file + ": " + refused);
        return false;
    }
    if (access(m_file.c_str(), R_OK) != 0) {
        reportLine(kName + "cannot read the song " + m_file);
        return false;
    }
    return true;
}

std::string SongInput::input(double startTime) const
{
    // A video starting after T = 0 starts inside the song.
    return (startTime > 0.0 ? " -ss " + sixDecimals(startTime) : std::string()) + " -i " + shellWord(m_file);
}

std::string SongInput::filter(double startTime) const
{
    // One starting in the lead-in hears silence until T = 0.
    std::string filter;
    if (startTime < 0.0)
        filter = "adelay=delays=" + sixDecimals(-startTime * 1000.0) + ":all=1,";
    return filter + "volume=" + sixDecimals(m_gain) + ",apad";
}
