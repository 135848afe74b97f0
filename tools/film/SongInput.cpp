#include "SongInput.hpp"

#include "ShellWord.hpp"
#include "ToolNumbers.hpp"

#include "assets/MusicManager.hpp"
#include "core/DataFiles.hpp"
#include "core/Diagnostics.hpp"
#include "core/FileCheck.hpp"
#include "core/LoaderOutput.hpp"
#include "scenes/RequiredKeys.hpp"

#include <unistd.h>

namespace {
const std::string kName = "drennmoor-film: ";
}

bool SongInput::read()
{
    // Read as the game reads it, without its lines: the game's own start-up prints them.
    MusicManager music;
    {
        LoaderOutput discarded([](const std::string&) {});
        music.load(dataFiles::kMusic);
    }
    const MusicEntry* song = music.song(kSongKey);
    if (song == nullptr) {
        reportLine(kName + dataFiles::kMusic + " declares no file for " + kSongKey + "; cannot write the video's sound");
        return false;
    }
    m_file = song->file;
    m_gain = song->volume / 100.0;
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
