#include "VirtualScreen.hpp"

#include <csignal>
#include <cstdio>
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
    // Its display number, once it is ready.
    if (FILE* ready = fdopen(channel[0], "r")) {
        int display = -1;
        if (std::fscanf(ready, "%d", &display) == 1)
            m_name = ":" + std::to_string(display);
        std::fclose(ready);
    }
}

VirtualScreen::~VirtualScreen()
{
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        waitpid(m_pid, nullptr, 0);
    }
}
