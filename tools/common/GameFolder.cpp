#include "GameFolder.hpp"

#include "core/Diagnostics.hpp"

#include <filesystem>

namespace fs = std::filesystem;

bool enterGameFolder(const std::string& tool)
{
    std::error_code error;
    const fs::path self = fs::canonical("/proc/self/exe", error);
    if (!error)
        fs::current_path(self.parent_path(), error);
    if (error)
        reportLine(tool + ": cannot enter the game folder: " + error.message());
    return !error;
}
