#include "FuzzFixture.hpp"

#include "core/Diagnostics.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <nlohmann/json.hpp>

#include <dlfcn.h>

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

// Mesa's software driver is unloaded at exit before the leak checker runs, and the blocks it
// keeps for the life of the process would show as leaks of an unknown module that no
// suppression can name. Kept loaded, they are named (and suppressed) like any library's.
void keepGraphicsDriver()
{
    for (const char* driver : {"/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
                               "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so"}) {
        if (dlopen(driver, RTLD_NOW | RTLD_NODELETE | RTLD_GLOBAL) != nullptr)
            return;
    }
}

void removeFolder()
{
    std::error_code ignored;
    fs::remove_all(removeOnExit, ignored);
}
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
    keepGraphicsDriver();
    makeFolder();
    for (const char* file : {"assets/textures.json", "assets/sprites.json", "assets/music.json",
                             "assets/particles.json", "assets/particles/rain.json", "assets/text/text.json"})
        copyShipped(file);
    copyFile(kFont, "assets/fonts/EBGaramond12-Regular.otf");
    writePictures();
    writeSong();
    m_target.create(kTargetSize, kTargetSize);

    textures.load("assets/textures.json");
    sprites.load("assets/sprites.json");
    particles.load("assets/particles.json");
}

void FuzzFixture::makeFolder()
{
    std::string pattern = (fs::temp_directory_path() / "drennmoor-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        reportLine("fuzz: cannot make a working folder under " + fs::temp_directory_path().string());
        std::abort();
    }
    m_folder = pattern;
    removeOnExit = m_folder;
    std::atexit(removeFolder);
    fs::current_path(m_folder);
    fs::create_directories("assets/images");
    fs::create_directories("assets/fonts");
    fs::create_directories("assets/music");
    fs::create_directories("assets/particles");
    fs::create_directories("assets/text");
}

void FuzzFixture::writePictures()
{
    // One tiny picture for every file the shipped textures name, of sizes from 1 x 1 to
    // 5 x 3 so that odd halves and full-size rectangles differ from picture to picture.
    std::ifstream shipped("assets/textures.json");
    const nlohmann::json document = nlohmann::json::parse(shipped);
    unsigned int index = 0;
    for (const auto& entry : document.at("textures")) {
        sf::Image picture;
        picture.create(1 + index % 5, 1 + index % 3, sf::Color(200, 180, 160, 255));
        picture.saveToFile(entry.at("file").get<std::string>());
        ++index;
    }
}

void FuzzFixture::writeSong()
{
    std::ifstream shipped("assets/music.json");
    const nlohmann::json document = nlohmann::json::parse(shipped);
    const std::vector<sf::Int16> silence(kSongSamples, 0);
    sf::SoundBuffer song;
    song.loadFromSamples(silence.data(), silence.size(), 1, kSongRate);
    for (const auto& entry : document.at("music"))
        song.saveToFile(entry.at("file").get<std::string>());
}

void FuzzFixture::copyShipped(const std::string& relative)
{
    copyFile(kSourceDir + "/" + relative, relative);
}

void FuzzFixture::copyFile(const std::string& from, const std::string& to)
{
    std::error_code error;
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    if (error) {
        reportLine("fuzz: cannot copy " + from + ": " + error.message());
        std::abort();
    }
}

std::string fuzzText(const std::uint8_t* data, std::size_t size)
{
    return std::string(reinterpret_cast<const char*>(data), size);
}
