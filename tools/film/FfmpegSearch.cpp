#include "FfmpegSearch.hpp"

#include "core/Diagnostics.hpp"

#include <unistd.h>

#include <cstdlib>
#include <sstream>
#include <string>

bool ffmpegOnPath()
{
    const char* path = std::getenv("PATH");
    std::stringstream folders(path != nullptr ? path : "");
    std::string folder;
    while (std::getline(folders, folder, ':'))
        if (!folder.empty() && access((folder + "/ffmpeg").c_str(), X_OK) == 0)
            return true;
    reportLine("drennmoor-film: ffmpeg is not on PATH; install it (Debian: apt-get install ffmpeg) to write video");
    return false;
}
