#include "GameFolder.hpp"
#include "PreviewApp.hpp"
#include "PreviewBench.hpp"
#include "PreviewOptions.hpp"
#include "ProcessLaunch.hpp"

#include "core/Diagnostics.hpp"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace {
// The preview's own file, found at the start: a rebuilt preview is the one that restarts.
std::string selfPath()
{
    std::error_code found;
    const std::string path = std::filesystem::canonical("/proc/self/exe", found).string();
    return found ? "/proc/self/exe" : path;
}

// Once the preview's program (`self`) was rebuilt after an edit of the code, the new one takes
// over at the same time; everything else (seeks, reloads) happens in this process.
void restartSelf(const std::string& self, const std::vector<std::string>& arguments)
{
    std::vector<std::string> words = {"drennmoor-preview"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    const std::vector<char*> argv = argumentArray(words);
    reportLine("drennmoor-preview: the rebuilt preview takes over");
    execv(self.c_str(), argv.data());
    reportLine(std::string("drennmoor-preview: cannot restart: ") + std::strerror(errno));
    std::exit(1);
}

// The options of the last session in this game folder (kept as it stopped), then those of
// the command line over them. False with `error` set when they are not options.
bool resume(int argc, char** argv, PreviewOptions& options, std::string& error)
{
    std::vector<std::string> words = {"drennmoor-preview"};
    std::ifstream kept(options.sessionFile);
    for (std::string line; std::getline(kept, line);)
        words.push_back(line);
    if (words.size() == 1)
        reportLine("drennmoor-preview: no session to resume in " + options.sessionFile);
    words.insert(words.end(), argv + 1, argv + argc);
    std::vector<char*> arguments = argumentArray(words);
    options = PreviewOptions();
    return options.parse(static_cast<int>(words.size()), arguments.data(), error);
}
}

int main(int argc, char** argv)
{
    PreviewOptions options;
    std::string error;
    if (!options.parse(argc, argv, error)) {
        reportLine("drennmoor-preview: " + error);
        return 2;
    }
    if (options.help) {
        std::cout << PreviewOptions::usage();
        return 0;
    }
    // The film echoes the poem's word lists to standard output as it queues them, on every
    // replay here: the preview keeps its output to the lines on standard error.
    std::fflush(stdout);
    if (std::freopen("/dev/null", "w", stdout) == nullptr)
        reportLine("drennmoor-preview: cannot silence standard output");
    if (!enterGameFolder("drennmoor-preview"))
        return 1;
    if (options.resume && !resume(argc, argv, options, error)) {
        reportLine("drennmoor-preview: " + options.sessionFile + ": " + error);
        return 2;
    }
    if (options.bench)
        return benchSeeks(options.fps);
    const std::string self = selfPath();
    PreviewApp app(options, std::filesystem::current_path().string(),
                   [self](const std::vector<std::string>& arguments) { restartSelf(self, arguments); });
    return app.run();
}
