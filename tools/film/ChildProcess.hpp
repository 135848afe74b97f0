#pragma once

#include "ProcessLaunch.hpp"

#include <string>
#include <sys/types.h>
#include <vector>

// A process the film renderer starts (ffmpeg, or itself drawing a part of a video) that
// never outlives it: the kernel sends the child `deathSignal` when this process ends, however
// it ends, and the object stops a child still running when it goes. Its waits give up when a
// stop signal came (StopSignals).
class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Runs the program `argv[0]` (a path) with `argv`. With `input`, its standard input is a
    // new pipe that input() writes to; with `quiet`, its standard output goes nowhere. False
    // when it cannot start.
    bool start(const std::vector<std::string>& argv, int deathSignal, bool input = false, bool quiet = false);
    // Runs a shell command line (its redirections included) as the shell's own process.
    bool startShell(const std::string& command, int deathSignal, bool input = false);

    pid_t pid() const { return m_pid; }
    bool running() const { return m_pid > 0; }
    // The write end of the child's standard input, or -1; closeInput() ends its input.
    int input() const { return m_input; }
    void closeInput();

    // Whether it has ended; then `status` holds its wait status.
    bool ended(int& status);
    // Waits for it to end: true with its wait status in `status`; false when a stop signal
    // came first (it is then stopped).
    bool wait(int& status);
    // Sends `signal` and waits for it to end.
    void stop(int signal);

private:
    pid_t m_pid = 0;
    int m_input = -1;
};
