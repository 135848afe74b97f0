#include "StartupClock.hpp"

#include "CpuTime.hpp"

#include "core/DataFiles.hpp"

#include <dlfcn.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

namespace {
// The marks in time order; a phase runs from its own mark to the next one.
enum Mark { ProcessStart, Main, TexturesFile, SpritesFile, MusicFile, ParticlesFile, TextFile, ShaderFile,
            Loaded, FirstFrameShown, kMarks };

// The file whose opening starts each registry's phase.
struct OpeningMark {
    const char* pathEnd;
    Mark mark;
};
constexpr OpeningMark kOpenings[] = {
    {dataFiles::kTextures, TexturesFile}, {dataFiles::kSprites, SpritesFile},
    {dataFiles::kMusic, MusicFile},       {dataFiles::kParticles, ParticlesFile},
    {dataFiles::kTexts, TextFile},        {dataFiles::kVertexShader, ShaderFile},
};

double g_marks[kMarks] = {};
double g_cpu[kMarks] = {};  // CPU time of the whole process at each mark, ms
bool g_seen[kMarks] = {};
int g_imageFiles = 0;
long long g_imageBytes = 0;

// Milliseconds on the clock that /proc counts process start times on.
double nowMilliseconds()
{
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6;
}

void mark(Mark which)
{
    if (g_seen[which])
        return;
    g_marks[which] = nowMilliseconds();
    g_cpu[which] = cpuMilliseconds(CpuOf::Process);
    g_seen[which] = true;
}

// The process's start from /proc/self/stat (field 22, clock ticks since boot).
double processStartMilliseconds()
{
    std::FILE* stat = std::fopen("/proc/self/stat", "r");
    if (stat == nullptr)
        return 0.0;
    char text[1024] = {};
    const std::size_t length = std::fread(text, 1, sizeof text - 1, stat);
    std::fclose(stat);
    text[length] = '\0';
    // The command name in field 2 may hold spaces: count fields after its closing bracket.
    const char* field = std::strrchr(text, ')');
    unsigned long long ticks = 0;
    if (field == nullptr || std::sscanf(field + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %*u %*u %*d %*d "
                                                   "%*d %*d %*d %*d %llu", &ticks) != 1)
        return 0.0;
    return static_cast<double>(ticks) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

bool endsWith(const char* text, const char* end)
{
    const std::size_t textLength = std::strlen(text);
    const std::size_t endLength = std::strlen(end);
    return textLength >= endLength && std::strcmp(text + textLength - endLength, end) == 0;
}

bool isImage(const char* path)
{
    return std::strstr(path, "assets/images/") != nullptr;
}

using OpenFunction = std::FILE* (*)(const char*, const char*);
}

void StartupClock::markMain()
{
    mark(Main);
    g_marks[ProcessStart] = processStartMilliseconds();
    g_seen[ProcessStart] = g_marks[ProcessStart] > 0.0;
}

void StartupClock::markLoaded()
{
    mark(Loaded);
}

void StartupClock::markFirstFrame()
{
    mark(FirstFrameShown);
}

bool StartupClock::phaseMilliseconds(Phase phase, double& milliseconds, double& cpuMilliseconds)
{
    const int from = static_cast<int>(phase);
    const int to = from + 1;
    milliseconds = 0.0;
    cpuMilliseconds = 0.0;
    if (!g_seen[from] || !g_seen[to])
        return false;
    milliseconds = g_marks[to] - g_marks[from];
    cpuMilliseconds = g_cpu[to] - g_cpu[from];
    return true;
}

double StartupClock::totalMilliseconds()
{
    const Mark from = g_seen[ProcessStart] ? ProcessStart : Main;
    return g_marks[FirstFrameShown] - g_marks[from];
}

double StartupClock::totalCpuMilliseconds()
{
    return g_cpu[FirstFrameShown];
}

const char* StartupClock::phaseName(Phase phase)
{
    static const char* const kNames[kPhases] = {"before main", "window and context", "textures", "sprites",
                                                "music", "particles", "text", "shader",
                                                "first lead-in frame"};
    return kNames[phase];
}

int StartupClock::imageFiles()
{
    return g_imageFiles;
}

long long StartupClock::imageBytes()
{
    return g_imageBytes;
}

void StartupClock::noteOpen(const char* path)
{
    if (path == nullptr || g_seen[FirstFrameShown])
        return;
    for (const OpeningMark& opening : kOpenings) {
        if (endsWith(path, opening.pathEnd))
            mark(opening.mark);
    }
    struct stat file{};
    if (isImage(path) && stat(path, &file) == 0) {
        ++g_imageFiles;
        g_imageBytes += file.st_size;
    }
}

// Every fopen of the process comes here first.
extern "C" std::FILE* fopen(const char* path, const char* mode)
{
    static const auto real = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, "fopen"));
    StartupClock::noteOpen(path);
    return real(path, mode);
}

extern "C" std::FILE* fopen64(const char* path, const char* mode)
{
    static const auto real = reinterpret_cast<OpenFunction>(dlsym(RTLD_NEXT, "fopen64"));
    StartupClock::noteOpen(path);
    return real(path, mode);
}
