#include "GlCounters.hpp"

#include "AllocationCounter.hpp"

#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <dlfcn.h>

#include <cstdint>

namespace {
long g_drawCalls = 0;

using DrawArrays = void (*)(GLenum, GLint, GLsizei);
using DrawElements = void (*)(GLenum, GLsizei, GLenum, const void*);
using GenQueries = void (*)(GLsizei, GLuint*);
using BeginQuery = void (*)(GLenum, GLuint);
using EndQuery = void (*)(GLenum);
using GetQueryObject = void (*)(GLuint, GLenum, std::uint64_t*);

constexpr GLenum kSamplesPassed = 0x8914;  // GL_SAMPLES_PASSED
constexpr GLenum kQueryResult = 0x8866;    // GL_QUERY_RESULT

GenQueries g_genQueries = nullptr;
BeginQuery g_beginQuery = nullptr;
EndQuery g_endQuery = nullptr;
GetQueryObject g_getQueryObject = nullptr;
GLuint g_query = 0;

// The driver's own function of that name, the next one after this executable.
template <typename Function>
Function driverFunction(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
}

extern "C" void GLAPIENTRY glDrawArrays(GLenum mode, GLint first, GLsizei count)
{
    static const DrawArrays real = driverFunction<DrawArrays>("glDrawArrays");
    ++g_drawCalls;
    AllocationCounter::enterDriver();
    real(mode, first, count);
    AllocationCounter::leaveDriver();
}

extern "C" void GLAPIENTRY glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices)
{
    static const DrawElements real = driverFunction<DrawElements>("glDrawElements");
    ++g_drawCalls;
    AllocationCounter::enterDriver();
    real(mode, count, type, indices);
    AllocationCounter::leaveDriver();
}

long GlCounters::drawCalls()
{
    return g_drawCalls;
}

void GlCounters::reset()
{
    g_drawCalls = 0;
}

bool GlCounters::startFill()
{
    g_genQueries = reinterpret_cast<GenQueries>(sf::Context::getFunction("glGenQueries"));
    g_beginQuery = reinterpret_cast<BeginQuery>(sf::Context::getFunction("glBeginQuery"));
    g_endQuery = reinterpret_cast<EndQuery>(sf::Context::getFunction("glEndQuery"));
    g_getQueryObject = reinterpret_cast<GetQueryObject>(sf::Context::getFunction("glGetQueryObjectui64v"));
    if (!g_genQueries || !g_beginQuery || !g_endQuery || !g_getQueryObject)
        return false;
    g_genQueries(1, &g_query);
    return g_query != 0;
}

void GlCounters::beginFill()
{
    if (g_query != 0)
        g_beginQuery(kSamplesPassed, g_query);
}

unsigned long long GlCounters::endFill()
{
    if (g_query == 0)
        return 0;
    g_endQuery(kSamplesPassed);
    std::uint64_t samples = 0;
    g_getQueryObject(g_query, kQueryResult, &samples);
    return samples;
}
