#include "TinyGameFolder.hpp"

#include <SFML/Graphics/Image.hpp>
#include <nlohmann/json.hpp>

#include <filesystem>

namespace fs = std::filesystem;

namespace {
const char* const kDataFiles[] = {"config.json", "assets/textures.json", "assets/sprites.json", "assets/music.json",
                                  "assets/particles.json", "assets/particles/rain.json", "assets/text/text.json",
                                  "assets/fonts/EBGaramond12-Regular.otf"};
}

TinyGameFolder::TinyGameFolder()
    : m_gameFolder(fs::current_path().string())
{
    for (const char* file : kDataFiles) {
        const fs::path to = fs::path(m_dir.path()) / file;
        fs::create_directories(to.parent_path());
        fs::copy_file(fs::path(m_gameFolder) / file, to, fs::copy_options::overwrite_existing);
    }
    fs::current_path(m_dir.path());
    unsigned int index = 0;
    const nlohmann::json document = nlohmann::json::parse(shipped("assets/textures.json"));
    for (const auto& entry : document.at("textures")) {
        const fs::path file = entry.at("file").get<std::string>();
        fs::create_directories(file.parent_path());
        sf::Image picture;
        picture.create(1 + index % 5, 1 + index % 3, sf::Color(200, 180, 160));
        picture.saveToFile(file.string());
        ++index;
    }
    target.create(64, 64);
    // Quiet: the shipped files load without a word.
    captureStderr([this] {
        textures.load("assets/textures.json");
        sprites.load("assets/sprites.json");
        particles.load("assets/particles.json");
    });
}

TinyGameFolder::~TinyGameFolder()
{
    fs::current_path(m_gameFolder);
}

std::string TinyGameFolder::shipped(const std::string& relative) const
{
    return readFile(m_gameFolder + "/" + relative);
}
