#include "FuzzFixture.hpp"

#include "core/Diagnostics.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <nlohmann/json.hpp>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {
// Set by the build: where the shipped data files and the poem's font are read from.
const std::string kSourceDir = DRENNMOOR_SOURCE_DIR;
const std::string kFont = DRENNMOOR_FONT;

constexpr unsigned int kSongRate = 44100;
constexpr std::size_t kSongSamples = kSongRate / 5;  // a fifth of a second of silence
constexpr unsigned int kTargetSize = 64;             // pixels

std::string removeOnExit;

[[noreturn]] void fail(const std::string& line)
{
    reportLine("fuzz: " + line);
    std::abort();
}

void copyFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error)
        fail("cannot copy " + from + ": " + error.message());
}

nlohmann::json readJson(const std::string& path)
{
    std::ifstream file(path);
    return nlohmann::json::parse(file);
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
    fs::current_path(pattern);
    for (const char* folder : {"assets/images", "assets/fonts", "assets/music", "assets/particles", "assets/text"})
        fs::create_directories(folder);
    for (const std::string file : {"assets/textures.json", "assets/sprites.json", "assets/music.json",
                                   "assets/particles.json", "assets/particles/rain.json", "assets/text/text.json"})
        copyFile(kSourceDir + "/" + file, file);
    copyFile(kFont, "assets/fonts/EBGaramond12-Regular.otf");

    // One tiny picture for every file the shipped textures name, of sizes from 1 x 1 to
    // 5 x 3 so that odd halves and full-size rectangles differ from picture to picture.
    unsigned int index = 0;
    const nlohmann::json textureList = readJson("assets/textures.json");
    for (const auto& entry : textureList.at("textures")) {
        sf::Image picture;
        picture.create(1 + index % 5, 1 + index % 3, sf::Color(200, 180, 160, 255));
        picture.saveToFile(entry.at("file").get<std::string>());
        ++index;
    }
    const std::vector<sf::Int16> silence(kSongSamples, 0);
    sf::SoundBuffer song;
    song.loadFromSamples(silence.data(), silence.size(), 1, kSongRate);
    const nlohmann::json songList = readJson("assets/music.json");
    for (const auto& entry : songList.at("music"))
        song.saveToFile(entry.at("file").get<std::string>());
    m_target.create(kTargetSize, kTargetSize);

    textures.load("assets/textures.json");
    sprites.load("assets/sprites.json");
    particles.load("assets/particles.json");
}

std::string fuzzText(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}
