#pragma once

#include "BuildOutput.hpp"

#include <sys/types.h>

#include <string>
#include <vector>

// A build running beside the preview as a child process in a process group of its own:
// its output is read without waiting (and passed on to standard error), so the film and the
// keys go on meanwhile, and stop() ends it with everything it started.
class BuildProcess {
public:
    BuildProcess() = default;
    ~BuildProcess();
    BuildProcess(const BuildProcess&) = delete;
    BuildProcess& operator=(const BuildProcess&) = delete;

    // Starts `command` (a program and its arguments, found on PATH). False, with failure()
    // saying why, when it cannot start.
    bool start(const std::vector<std::string>& command);
    // Reads what the build printed since the last call. True once it has ended (then
    // succeeded() says how); true at once when none runs.
    bool poll();
    bool running() const { return m_pid > 0; }
    bool succeeded() const { return m_succeeded; }
    // Ends the build and whatever it started, at once; waits at most half a second.
    void stop();

    const BuildOutput& output() const { return m_output; }
    // Why the build failed: its first error, or how it ended.
    std::string failure() const;

private:
    void readLines();
    void reap(int status);

    pid_t m_pid = -1;
    int m_pipe = -1;
    std::string m_partial;  // a line not yet ended
    BuildOutput m_output;
    bool m_succeeded = false;
    std::string m_ending;   // "the build ended with status 2"
};
