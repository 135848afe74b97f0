#include "VirtualScreen.hpp"

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

VirtualScreen::VirtualScreen(int width, int height)
{
    int channel[2];
    if (pipe(channel) != 0)
        return;
    m_pid = fork();
    if (m_pid == 0) {
        close(channel[0]);
        // The server picks a free display number and writes it to the pipe once it is ready.
        const std::string fd = std::to_string(channel[1]);
        const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
        _exit(127);
    }
    close(channel[1]);
    char digits[32] = {};
    std::size_t got = 0;
    while (got < sizeof digits - 1) {
        const ssize_t more = read(channel[0], digits + got, 1);
        if (more <= 0 || digits[got] == '\n')
            break;
        ++got;
    }
    close(channel[0]);
    if (got > 0 && digits[got] == '\n') {
        digits[got] = '\0';
        m_name = std::string(":") + digits;
    }
}

VirtualScreen::~VirtualScreen()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}
