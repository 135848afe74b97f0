#include "LoaderLines.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

void LoaderLines::begin()
{
    char name[] = "/tmp/drennmoor-preview-XXXXXX";
    m_kept = mkstemp(name);
    if (m_kept < 0)
        return;
    unlink(name);
    std::fflush(stderr);
    m_saved = dup(STDERR_FILENO);
    dup2(m_kept, STDERR_FILENO);
}

void LoaderLines::finish()
{
    if (m_kept < 0)
        return;
    std::fflush(stderr);
    dup2(m_saved, STDERR_FILENO);
    close(m_saved);
    std::string text;
    char chunk[4096];
    lseek(m_kept, 0, SEEK_SET);
    for (ssize_t got; (got = read(m_kept, chunk, sizeof chunk)) > 0;)
        text.append(chunk, static_cast<std::size_t>(got));
    close(m_kept);
    m_kept = -1;
    if (!text.empty() && write(STDERR_FILENO, text.data(), text.size()) < 0)
        return;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start) {
            if (m_count == 0)
                m_first = text.substr(start, end - start);
            ++m_count;
        }
        start = end + 1;
    }
}
