#pragma once

#include <map>
#include <string>
#include <sys/types.h>
#include <vector>

// The real game binary (or another program of the game folder, with arguments) run as a child
// process in a given folder, for the tests that need a window, a window manager's close
// request or a key press.
class GameProcess {
public:
    // Starts the game (or `program`: a name in the staged game folder, or an absolute path) in
    // `folder`, its standard error going to `stderrFile`, with OpenAL's drivers `soundDrivers`
    // (its null driver unless told).
    GameProcess(const std::string& folder, const std::string& stderrFile, const std::string& program = "drennmoor",
                const std::vector<std::string>& arguments = {}, const std::string& soundDrivers = "null");
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    pid_t pid() const { return m_pid; }
    // Waits up to `seconds` for the process to end; its exit status, or -1000 when it is
    // still running (killed only when the object goes) or ended by a signal.
    int waitForExit(double seconds);
    // The processor time, in seconds, the running process has used so far in all its threads;
    // -1 when it cannot be read.
    double cpuSeconds() const;
    // The processor seconds each thread of the running process has used so far, by thread
    // id, of the threads named as the program (those it starts itself, not the drivers').
    std::map<long, double> ownThreadsCpuSeconds() const;

private:
    pid_t m_pid = -1;
    bool m_reaped = false;
};

// The folder the build staged the game into, and the game binary in it.
std::string stagedGameFolder();
