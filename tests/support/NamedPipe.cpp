#include "support/NamedPipe.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

NamedPipe::NamedPipe(const std::string& path)
    : m_path(path)
{
    std::remove(path.c_str());
    mkfifo(path.c_str(), 0644);
    m_writer = std::thread(&NamedPipe::releaseReaders, this);
}

NamedPipe::~NamedPipe()
{
    m_stop = true;
    m_writer.join();
    std::remove(m_path.c_str());
}

void NamedPipe::releaseReaders()
{
    while (!m_stop) {
        // Opening for writing without waiting succeeds only while a reader waits.
        const int writer = open(m_path.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0) {
            m_opened = true;
            close(writer);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}
