#pragma once

#include <atomic>
#include <string>
#include <thread>

// A named pipe made in place of a file, watched: whoever opens it for reading would wait for
// ever for a writer, so a thread plays that writer, opening and closing it whenever a reader
// waits. The reader then reads nothing and goes on, and opened() tells the test that the
// pipe was opened at all, which the code under test must never do.
class NamedPipe {
public:
    explicit NamedPipe(const std::string& path);
    ~NamedPipe();
    NamedPipe(const NamedPipe&) = delete;
    NamedPipe& operator=(const NamedPipe&) = delete;

    const std::string& path() const { return m_path; }
    bool opened() const { return m_opened; }

private:
    void releaseReaders();

    std::string m_path;
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_stop{false};
    std::thread m_writer;
};
