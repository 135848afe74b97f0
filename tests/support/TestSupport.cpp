#include "support/TestSupport.hpp"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace fs = std::filesystem;

TempDir::TempDir()
{
    std::random_device random;
    for (;;) {
        const fs::path candidate = fs::temp_directory_path() / ("drennmoor-test-" + std::to_string(random()));
        if (fs::create_directory(candidate)) {
            m_path = candidate.string();
            return;
        }
    }
}

TempDir::~TempDir()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string TempDir::write(const std::string& name, const std::string& contents) const
{
    const fs::path file = fs::path(m_path) / name;
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << contents;
    return file.string();
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
