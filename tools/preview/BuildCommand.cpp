#include "BuildCommand.hpp"

#include <sys/wait.h>

#include "ShellWord.hpp"

#include <cstdio>
#include <iostream>

namespace {
bool looksLikeError(const std::string& line)
{
    return line.find("rror") != std::string::npos || line.find("FAILED") != std::string::npos;
}
}

BuildResult runBuild(const std::vector<std::string>& command)
{
    std::string shell;
    for (const std::string& word : command)
        shell += shellWord(word) + " ";
    shell += "2>&1";
    BuildResult result;
    FILE* output = popen(shell.c_str(), "r");
    if (output == nullptr) {
        result.reason = "cannot start " + command.front();
        return result;
    }
    std::string line;
    std::string lastError;
    char chunk[512];
    while (std::fgets(chunk, sizeof chunk, output) != nullptr) {
        line += chunk;
        if (line.empty() || line.back() != '\n')
            continue;
        line.pop_back();
        std::cerr << line << std::endl;
        if (looksLikeError(line) && lastError.empty())
            lastError = line;
        line.clear();
    }
    const int status = pclose(output);
    result.succeeded = status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (!result.succeeded)
        result.reason = !lastError.empty() ? lastError
                      : "the build ended with status " + std::to_string(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
    return result;
}
