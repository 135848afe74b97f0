#pragma once

#include <string>
#include <sys/types.h>

// A virtual X screen of a given size of its own (an Xvfb server), for the tests that need a
// screen other than the test display's; stopped when the object goes.
class VirtualScreen {
public:
    VirtualScreen(int width, int height);
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // ":N", or empty when the server did not start.
    const std::string& name() const { return m_name; }

private:
    pid_t m_pid = -1;
    std::string m_name;
};
