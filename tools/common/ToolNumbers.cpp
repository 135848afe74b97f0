#include "ToolNumbers.hpp"

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>

bool readNumber(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != nullptr && *end == '\0';
}

std::string sixDecimals(double value)
{
    char text[40];
    std::snprintf(text, sizeof text, "%.6f", value);
    return text;
}

double peakMemoryMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;  // the kernel counts kibibytes
}
