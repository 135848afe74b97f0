#include "BuildProcess.hpp"

#include "ProcessLaunch.hpp"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <thread>

BuildProcess::~BuildProcess()
{
    stop();
}

bool BuildProcess::start(const std::vector<std::string>& command)
{
    stop();
    m_output = BuildOutput();
    m_partial.clear();
    m_succeeded = false;
    m_ending.clear();
    int ends[2];
    if (command.empty() || pipe(ends) != 0) {
        m_ending = "cannot start the build";
        return false;
    }
    const std::vector<char*> argv = argumentArray(command);
    const pid_t child = fork();
    if (child == 0) {
        // A group of its own, so that stop() reaches the compilers it starts.
        setpgid(0, 0);
        dup2(ends[1], STDOUT_FILENO);
        dup2(ends[1], STDERR_FILENO);
        close(ends[0]);
        close(ends[1]);
        execvp(argv[0], argv.data());
        std::cerr << "cannot start " << argv[0] << ": " << std::strerror(errno) << std::endl;
        _exit(127);
    }
    close(ends[1]);
    if (child < 0) {
        close(ends[0]);
        m_ending = "cannot start the build";
        return false;
    }
    setpgid(child, child);
    m_pid = child;
    m_pipe = ends[0];
    fcntl(m_pipe, F_SETFL, fcntl(m_pipe, F_GETFL) | O_NONBLOCK);
    fcntl(m_pipe, F_SETFD, FD_CLOEXEC);
    return true;
}

bool BuildProcess::poll()
{
    if (m_pid <= 0)
        return true;
    readLines();
    int status = 0;
    if (waitpid(m_pid, &status, WNOHANG) != m_pid)
        return false;
    readLines();
    reap(status);
    return true;
}

void BuildProcess::readLines()
{
    char chunk[4096];
    for (ssize_t got; (got = read(m_pipe, chunk, sizeof chunk)) > 0;) {
        m_partial.append(chunk, static_cast<std::size_t>(got));
        for (std::size_t end; (end = m_partial.find('\n')) != std::string::npos;) {
            const std::string line = m_partial.substr(0, end);
            m_partial.erase(0, end + 1);
            std::cerr << line << std::endl;
            m_output.add(line);
        }
    }
}

void BuildProcess::reap(int status)
{
    m_pid = -1;
    close(m_pipe);
    m_pipe = -1;
    m_succeeded = exitedCleanly(status);
    if (!m_succeeded)
        m_ending = WIFEXITED(status) ? "the build ended with status " + std::to_string(WEXITSTATUS(status))
                                     : "the build was stopped";
}

void BuildProcess::stop()
{
    if (m_pid <= 0)
        return;
    kill(-m_pid, SIGTERM);
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (waitpid(m_pid, &status, WNOHANG) != m_pid) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(-m_pid, SIGKILL);
            waitpid(m_pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    reap(status);
}

std::string BuildProcess::failure() const
{
    return !m_output.firstError().empty() ? m_output.firstError() : m_ending;
}
