#include "SongInput.hpp"

#include "ShellWord.hpp"
#include "ToolNumbers.hpp"

#include "assets/JsonValues.hpp"
#include "core/Diagnostics.hpp"
#include "scenes/RequiredKeys.hpp"

#include <nlohmann/json.hpp>

#include <fstream>
#include <unistd.h>

namespace {
const std::string kName = "drennmoor-film: ";
const char* const kMusicFile = "assets/music.json";
}

bool SongInput::read()
{
    std::ifstream in(kMusicFile);
    const nlohmann::json document = nlohmann::json::parse(in, nullptr, false);
    const nlohmann::json* entry = nullptr;
    if (document.is_object() && document.contains("music") && document["music"].is_object() &&
        document["music"].contains(kSongKey))
        entry = &document["music"][kSongKey];
    if (entry == nullptr || !entry->is_object() || !entry->contains("file") || !(*entry)["file"].is_string()) {
        reportLine(kName + kMusicFile + " declares no file for " + kSongKey + "; cannot write the video's sound");
        return false;
    }
    m_file = (*entry)["file"].get<std::string>();
    // The game's own reading of the volume: a whole percentage, 37.9 plays as 37.
    try {
        m_gain = jsonIntOr(*entry, "volume", 100) / 100.0;
    } catch (const nlohmann::json::exception&) {
        m_gain = 1.0;
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
