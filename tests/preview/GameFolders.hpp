#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

// The data files (and, when asked, the preview program) of the staged game, whose folder the
// tests run in, copied to `to`.
inline void copyGameFolder(const std::filesystem::path& to, bool withPreview = false)
{
    namespace fs = std::filesystem;
    fs::create_directories(to);
    fs::copy("config.json", to / "config.json");
    fs::copy("assets", to / "assets", fs::copy_options::recursive);
    if (withPreview)
        fs::copy("drennmoor-preview", to / "drennmoor-preview");
}

// <root>/build/game, such a copy, as a build made it from <root>/source, which holds each of
// `sources` ("first").
inline std::filesystem::path makeBuildFolder(const std::filesystem::path& root, const std::vector<std::string>& sources,
                                             bool withPreview = false)
{
    copyGameFolder(root / "build/game", withPreview);
    for (const std::string& file : sources) {
        std::filesystem::create_directories((root / "source" / file).parent_path());
        std::ofstream(root / "source" / file) << "first\n";
    }
    std::ofstream(root / "build/CMakeCache.txt") << "CMAKE_HOME_DIRECTORY:INTERNAL=" << (root / "source").string()
                                                 << "\n";
    return root / "build/game";
}
