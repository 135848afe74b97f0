#include "core/Diagnostics.hpp"

#include <iostream>

void reportLine(const std::string& line)
{
    std::cerr << line << std::endl;
}
