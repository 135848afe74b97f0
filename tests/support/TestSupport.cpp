#include "support/TestSupport.hpp"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <thread>

#include <sys/wait.h>

namespace fs = std::filesystem;

TempDir::TempDir()
    : m_path((fs::temp_directory_path() / "drennmoor-test-XXXXXX").string())
{
    if (mkdtemp(m_path.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder " + m_path);
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

Outcome shell(const std::string& command)
{
    Outcome result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return result;
    char buffer[4096];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        result.output.append(buffer, got);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

bool eventually(const std::function<bool()>& done, double seconds, double step)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until)
            return false;
        std::this_thread::sleep_for(std::chrono::duration<double>(step));
    }
    return true;
}
