#include "TemporaryFile.hpp"

#include <unistd.h>

#include <filesystem>
#include <vector>

std::string makeTemporaryFile(const std::string& prefix)
{
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::temp_directory_path(error);
    const std::string pattern = (error ? std::filesystem::path("/tmp") : folder) / (prefix + "XXXXXX");
    std::vector<char> path(pattern.begin(), pattern.end());
    path.push_back('\0');
    const int descriptor = mkstemp(path.data());
    if (descriptor < 0)
        return "";
    close(descriptor);
    return path.data();
}
