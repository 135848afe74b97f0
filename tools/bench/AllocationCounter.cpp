#include "AllocationCounter.hpp"

#include <cxxabi.h>
#include <dlfcn.h>
#include <execinfo.h>

#include <cstdlib>
#include <cstring>
#include <new>

namespace {
thread_local bool t_watched = false;
bool g_counting = false;
thread_local bool t_inTrace = false;
thread_local int t_inDriver = 0;
unsigned long g_count = 0;
unsigned long g_driverCount = 0;
constexpr int kDriverSearchDepth = 24;

int g_traceLimit = 0;
int g_traceCount = 0;
void* g_traces[AllocationCounter::kMaxTraces][AllocationCounter::kTraceDepth];
int g_traceDepths[AllocationCounter::kMaxTraces];

void keepTrace()
{
    if (g_traceCount >= g_traceLimit || t_inTrace)
        return;
    t_inTrace = true;
    g_traceDepths[g_traceCount] = backtrace(g_traces[g_traceCount], AllocationCounter::kTraceDepth);
    ++g_traceCount;
    t_inTrace = false;
}

// True when the allocation comes from the OpenGL driver: Mesa's software rasteriser compiles
// each new combination of drawing states with LLVM, in C++, the first time it meets it. The
// driver is somewhere on the call stack, not always right above operator new.
bool fromDriver()
{
    if (t_inDriver > 0)
        return true;
    void* frames[kDriverSearchDepth];
    const int depth = backtrace(frames, kDriverSearchDepth);
    for (int frame = 1; frame < depth; ++frame) {
        Dl_info object{};
        if (dladdr(frames[frame], &object) == 0 || object.dli_fname == nullptr)
            continue;
        const char* name = object.dli_fname;
        if (std::strstr(name, "/dri/") != nullptr || std::strstr(name, "libLLVM") != nullptr ||
            std::strstr(name, "libgallium") != nullptr)
            return true;
    }
    return false;
}

void count()
{
    if (!g_counting || !t_watched || t_inTrace)
        return;
    t_inTrace = true;
    const bool driver = fromDriver();
    t_inTrace = false;
    if (driver) {
        ++g_driverCount;
        return;
    }
    ++g_count;
    keepTrace();
}

void* allocate(std::size_t size)
{
    count();
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

void* allocateAligned(std::size_t size, std::align_val_t alignment)
{
    count();
    const std::size_t align = static_cast<std::size_t>(alignment);
    void* block = std::aligned_alloc(align, (size + align - 1) / align * align);
    if (block == nullptr)
        throw std::bad_alloc();
    return block;
}

// A frame of backtrace_symbols, "binary(mangled+0x12) [0x...]", as the demangled name alone.
std::string frameName(const char* symbol)
{
    std::string text = symbol;
    const std::size_t open = text.find('(');
    const std::size_t plus = text.find('+', open);
    if (open == std::string::npos || plus == std::string::npos || plus == open + 1)
        return text.substr(0, text.find(' '));
    const std::string mangled = text.substr(open + 1, plus - open - 1);
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled.c_str(), nullptr, nullptr, &status);
    std::string name = status == 0 && plain != nullptr ? plain : mangled;
    std::free(plain);
    return name;
}
}

void AllocationCounter::watchThisThread()
{
    // backtrace loads its unwinder on first use, which allocates: do it before counting.
    void* warmUp[2];
    backtrace(warmUp, 2);
    t_watched = true;
}

void AllocationCounter::startCounting()
{
    g_counting = true;
}

void AllocationCounter::stopCounting()
{
    g_counting = false;
}

void AllocationCounter::enterDriver()
{
    ++t_inDriver;
}

void AllocationCounter::leaveDriver()
{
    --t_inDriver;
}

unsigned long AllocationCounter::count()
{
    return g_count;
}

unsigned long AllocationCounter::driverCount()
{
    return g_driverCount;
}

void AllocationCounter::startTracing(int limit)
{
    g_traceLimit = limit < kMaxTraces ? limit : kMaxTraces;
}

void AllocationCounter::stopTracing()
{
    g_traceLimit = 0;
}

std::vector<std::string> AllocationCounter::traces()
{
    stopTracing();
    std::vector<std::string> lines;
    for (int i = 0; i < g_traceCount; ++i) {
        char** symbols = backtrace_symbols(g_traces[i], g_traceDepths[i]);
        std::vector<std::string> names;
        for (int frame = 0; symbols != nullptr && frame < g_traceDepths[i]; ++frame)
            names.push_back(frameName(symbols[frame]));
        std::free(symbols);
        // Start at the caller of operator new: the frames before it are this counter's.
        std::size_t first = 0;
        for (std::size_t frame = 0; frame < names.size(); ++frame) {
            if (names[frame].rfind("operator new", 0) == 0)
                first = frame + 1;
        }
        std::string line;
        for (std::size_t frame = first; frame < names.size(); ++frame)
            line += (frame > first ? " < " : "") + names[frame];
        lines.push_back(line);
    }
    return lines;
}

// The replaced allocation functions of the whole program.
void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }

void* operator new(std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}

void* operator new[](std::size_t size, std::align_val_t alignment)
{
    return allocateAligned(size, alignment);
}

void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    count();
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept
{
    count();
    return std::malloc(size == 0 ? 1 : size);
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }
void operator delete(void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t, std::align_val_t) noexcept { std::free(block); }
void operator delete(void* block, const std::nothrow_t&) noexcept { std::free(block); }
void operator delete[](void* block, const std::nothrow_t&) noexcept { std::free(block); }
