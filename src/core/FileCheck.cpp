#include "core/FileCheck.hpp"

#include <filesystem>

namespace fs = std::filesystem;

std::string notAFile(const std::string& path)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    switch (status.type()) {
    case fs::file_type::regular:
    case fs::file_type::not_found:
    case fs::file_type::none: return "";
    case fs::file_type::directory: return "a folder, not a file";
    case fs::file_type::fifo: return "a named pipe, not a file";
    case fs::file_type::socket: return "a socket, not a file";
    case fs::file_type::character:
    case fs::file_type::block: return "a device, not a file";
    default: return "not a regular file";
    }
}

std::string notADataFile(const std::string& path)
{
    const std::string kind = notAFile(path);
    if (!kind.empty())
        return kind;
    std::error_code error;
    const std::uintmax_t bytes = fs::file_size(path, error);
    if (!error && bytes > kMostDataFileBytes)
        return std::to_string(bytes) + " bytes, more than a data file's " + std::to_string(kMostDataFileBytes);
    return "";
}
