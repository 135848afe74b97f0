#include "ProcessLaunch.hpp"

#include <sys/wait.h>

std::vector<char*> argumentArray(const std::vector<std::string>& words)
{
    std::vector<char*> array;
    for (const std::string& word : words)
        array.push_back(const_cast<char*>(word.c_str()));
    array.push_back(nullptr);
    return array;
}

bool exitedCleanly(int status)
{
    return status != -1 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
