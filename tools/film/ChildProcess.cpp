#include "ChildProcess.hpp"

#include "ProcessLaunch.hpp"
#include "StopSignals.hpp"

#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <thread>

namespace {
// How often a wait looks for the child's end and for a stop signal.
constexpr std::chrono::milliseconds kLookEvery(20);
}

ChildProcess::~ChildProcess()
{
    if (running())
        stop(SIGKILL);
    closeInput();
}

bool ChildProcess::start(const std::vector<std::string>& argv, int deathSignal, bool input, bool quiet)
{
    // Everything the child needs is made before the fork: after it, in a process with other
    // threads, only the system's own calls are safe.
    const std::vector<char*> words = argumentArray(argv);
    int pipeEnds[2] = {-1, -1};
    if (input && pipe2(pipeEnds, O_CLOEXEC) != 0)
        return false;
    const pid_t parent = getpid();
    const pid_t child = fork();
    if (child == 0) {
        prctl(PR_SET_PDEATHSIG, deathSignal);
        // The parent may have ended before the line above: then nobody would send it.
        if (getppid() != parent)
            _exit(127);
        if (input)
            dup2(pipeEnds[0], STDIN_FILENO);
        if (quiet) {
            const int nowhere = open("/dev/null", O_WRONLY);
            dup2(nowhere, STDOUT_FILENO);
        }
        // This process ignores a broken pipe (a write to a dead ffmpeg fails instead); the
        // child must not inherit that.
        signal(SIGPIPE, SIG_DFL);
        execv(words[0], words.data());
        _exit(127);
    }
    if (input)
        close(pipeEnds[0]);
    if (child < 0) {
        if (input)
            close(pipeEnds[1]);
        return false;
    }
    m_pid = child;
    m_input = input ? pipeEnds[1] : -1;
    return true;
}

bool ChildProcess::startShell(const std::string& command, int deathSignal, bool input)
{
    // exec: the shell becomes the program, which so gets the death signal itself.
    return start({"/bin/sh", "-c", "exec " + command}, deathSignal, input);
}

void ChildProcess::closeInput()
{
    if (m_input >= 0)
        close(m_input);
    m_input = -1;
}

bool ChildProcess::ended(int& status)
{
    if (!running())
        return false;
    const pid_t done = waitpid(m_pid, &status, WNOHANG);
    if (done == 0)
        return false;
    if (done < 0)
        status = -1;
    m_pid = 0;
    return true;
}

bool ChildProcess::wait(int& status)
{
    while (!ended(status)) {
        if (!running())
            return false;
        if (stopRequested()) {
            stop(SIGTERM);
            return false;
        }
        std::this_thread::sleep_for(kLookEvery);
    }
    return true;
}

void ChildProcess::stop(int signal)
{
    if (!running())
        return;
    kill(m_pid, signal);
    waitpid(m_pid, nullptr, 0);
    m_pid = 0;
}
