#include "GameProcess.hpp"

#include "support/TestSupport.hpp"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

std::string stagedGameFolder()
{
    return DRENNMOOR_GAME_DIR;
}

GameProcess::GameProcess(const std::string& folder, const std::string& stderrFile, const std::string& program,
                         const std::vector<std::string>& arguments, const std::string& soundDrivers)
{
    const std::string binary = program.front() == '/' ? program : stagedGameFolder() + "/" + program;
    std::vector<char*> argv{const_cast<char*>(binary.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    m_pid = fork();
    if (m_pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(120);
        const int errors = open(stderrFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (errors >= 0)
            dup2(errors, STDERR_FILENO);
        const int quiet = open("/dev/null", O_WRONLY);
        if (quiet >= 0)
            dup2(quiet, STDOUT_FILENO);
        setenv("ALSOFT_DRIVERS", soundDrivers.c_str(), 1);
        // Under the sanitizers the game's own leaks are checked by the in-process tests; the
        // graphics driver it unloads at exit would only be reported as an unknown module here.
        const char* asan = getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(asan != nullptr ? asan : "") + ":detect_leaks=0").c_str(), 1);
        execv(binary.c_str(), argv.data());
        _exit(121);
    }
}

GameProcess::~GameProcess()
{
    if (m_pid > 0 && !m_reaped) {
        kill(m_pid, SIGKILL);
        waitpid(m_pid, nullptr, 0);
    }
}

int GameProcess::waitForExit(double seconds)
{
    int status = 0;
    if (!eventually([&] { return waitpid(m_pid, &status, WNOHANG) == m_pid; }, seconds, 0.02))
        return -1000;
    m_reaped = true;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1000;
}

namespace {
// A /proc stat file's processor seconds: its 14th and 15th fields are user and system time in
// clock ticks; the 2nd, the name, is in parentheses and may hold spaces. -1 when unreadable.
double statCpuSeconds(const std::string& path)
{
    std::ifstream file(path);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto nameEnd = text.rfind(')');
    if (nameEnd == std::string::npos)
        return -1.0;
    std::istringstream fields(text.substr(nameEnd + 2));
    std::string field;
    double ticks = 0.0;
    for (int index = 3; index <= 15 && fields >> field; ++index)
        if (index >= 14)
            ticks += std::stod(field);
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

std::string firstLine(const std::string& path)
{
    std::ifstream file(path);
    std::string line;
    std::getline(file, line);
    return line;
}
}

double GameProcess::cpuSeconds() const
{
    return statCpuSeconds("/proc/" + std::to_string(m_pid) + "/stat");
}

std::map<long, double> GameProcess::ownThreadsCpuSeconds() const
{
    const std::string process = "/proc/" + std::to_string(m_pid);
    const std::string name = firstLine(process + "/comm");
    std::map<long, double> threads;
    std::error_code error;
    for (const auto& task : std::filesystem::directory_iterator(process + "/task", error))
        if (firstLine(task.path().string() + "/comm") == name)
            threads[std::stol(task.path().filename().string())] = statCpuSeconds(task.path().string() + "/stat");
    return threads;
}
