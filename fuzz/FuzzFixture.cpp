#include "FuzzFixture.hpp"

#include "core/Diagnostics.hpp"
#include "support/StandInGame.hpp"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
// Set by the build: where the shipped data files and the poem's font are read from.
const std::string kSourceDir = DRENNMOOR_SOURCE_DIR;
const std::string kFont = DRENNMOOR_FONT;

constexpr unsigned int kTargetSize = 64;  // pixels

std::string removeOnExit;

[[noreturn]] void fail(const std::string& line)
{
    reportLine("fuzz: " + line);
    std::abort();
}
}

// Every target enters the fixture before its first input.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    FuzzFixture::instance();
    return 0;
}

FuzzFixture& FuzzFixture::instance()
{
    // Silent: OpenAL's null device, before anything of the audio module exists.
    static const int silent = setenv("ALSOFT_DRIVERS", "null", 1);
    static FuzzFixture fixture;
    static_cast<void>(silent);
    return fixture;
}

FuzzFixture::FuzzFixture()
{
    std::string pattern = (fs::temp_directory_path() / "drennmoor-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        fail("cannot make a working folder under " + fs::temp_directory_path().string());
    removeOnExit = pattern;
    std::atexit([] {
        std::error_code ignored;
        fs::remove_all(removeOnExit, ignored);
    });
    const std::string problem = makeStandInGame(pattern, kSourceDir, kFont);
    if (!problem.empty())
        fail(problem);
    fs::current_path(pattern);
    m_target.create(kTargetSize, kTargetSize);

    textures.load("assets/textures.json");
    sprites.load("assets/sprites.json");
    particles.load("assets/particles.json");
}

std::string fuzzText(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}
