#include "support/StandInGame.hpp"

#include <SFML/Audio/SoundBuffer.hpp>
#include <SFML/Graphics/Image.hpp>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {
const char* const kDataFiles[] = {"config.json", "assets/textures.json", "assets/sprites.json", "assets/music.json",
                                  "assets/particles.json", "assets/particles/rain.json", "assets/text/text.json"};
const char* const kFontFile = "assets/fonts/EBGaramond12-Regular.otf";
constexpr unsigned int kSongRate = 44100;
constexpr std::size_t kSongSamples = kSongRate / 5;

std::string copied(const fs::path& from, const fs::path& to)
{
    std::error_code error;
    fs::create_directories(to.parent_path(), error);
    fs::copy_file(from, to, fs::copy_options::overwrite_existing, error);
    return error ? "cannot copy " + from.string() + ": " + error.message() : "";
}

// The "file" of every entry of the registry file `name`'s top-level object `list`.
std::vector<fs::path> filesNamed(const fs::path& name, const char* list)
{
    std::vector<fs::path> files;
    std::ifstream in(name);
    const nlohmann::json document = nlohmann::json::parse(in, nullptr, false);
    if (!document.is_object() || !document.contains(list))
        return files;
    for (const auto& entry : document.at(list)) {
        if (entry.contains("file") && entry.at("file").is_string())
            files.push_back(entry.at("file").get<std::string>());
    }
    return files;
}
}

std::string makeStandInGame(const std::string& folder, const std::string& dataFrom, const std::string& font)
{
    const fs::path root(folder);
    for (const char* file : kDataFiles) {
        if (std::string problem = copied(fs::path(dataFrom) / file, root / file); !problem.empty())
            return problem;
    }
    if (std::string problem = copied(font, root / kFontFile); !problem.empty())
        return problem;

    unsigned int index = 0;
    for (const fs::path& file : filesNamed(root / "assets/textures.json", "textures")) {
        fs::create_directories((root / file).parent_path());
        sf::Image picture;
        picture.create(1 + index % 5, 1 + index % 3, sf::Color(200, 180, 160));
        if (!picture.saveToFile((root / file).string()))
            return "cannot write " + file.string();
        ++index;
    }
    const std::vector<sf::Int16> silence(kSongSamples, 0);
    sf::SoundBuffer song;
    song.loadFromSamples(silence.data(), silence.size(), 1, kSongRate);
    for (const fs::path& file : filesNamed(root / "assets/music.json", "music")) {
        fs::create_directories((root / file).parent_path());
        if (!song.saveToFile((root / file).string()))
            return "cannot write " + file.string();
    }
    return "";
}
