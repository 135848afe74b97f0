#include "FfmpegRuns.hpp"

#include "ChildProcess.hpp"
#include "ShellWord.hpp"
#include "TemporaryFile.hpp"

#include "core/Diagnostics.hpp"

#include <sys/wait.h>

#include <csignal>
#include <cstdio>
#include <fstream>

namespace {
const std::string kName = "drennmoor-film: ";
}

FfmpegRuns::~FfmpegRuns()
{
    if (!m_path.empty())
        std::remove(m_path.c_str());
}

bool FfmpegRuns::open()
{
    m_path = makeTemporaryFile("drennmoor-ffmpeg-");
    if (m_path.empty()) {
        reportLine(kName + "cannot make a temporary file for ffmpeg's messages");
        return false;
    }
    return true;
}

std::string FfmpegRuns::messagesTo() const
{
    return " 2>" + shellWord(m_path);
}

bool FfmpegRuns::run(const std::string& command) const
{
    ChildProcess ffmpeg;
    int status = 0;
    if (!ffmpeg.startShell(command, SIGKILL)) {
        reportLine(kName + "cannot start ffmpeg");
        return false;
    }
    return ffmpeg.wait(status) && succeeded(status);
}

bool FfmpegRuns::succeeded(int status) const
{
    if (exitedCleanly(status))
        return true;
    const int code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    reportLine(kName + "ffmpeg failed (exit " + std::to_string(code) + "): " + lastMessage());
    return false;
}

std::string FfmpegRuns::lastMessage() const
{
    std::ifstream in(m_path);
    std::string line;
    std::string last = "no message";
    while (std::getline(in, line))
        if (!line.empty())
            last = line;
    return last;
}
