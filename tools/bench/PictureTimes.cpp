#include "PictureTimes.hpp"

#include "CpuTime.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/OpenGL.hpp>
#include <SFML/Window/Context.hpp>

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace {
struct Picture {
    std::string key;
    std::string file;
    double decode = 0.0;   // ms
    double upload = 0.0;   // ms
    unsigned width = 0;
    unsigned height = 0;
    long long bytes = 0;
};

// Decoding and uploading run on this thread alone: its CPU time is their cost.
bool timePicture(Picture& picture, int repeats)
{
    for (int attempt = 0; attempt < repeats; ++attempt) {
        sf::Image image;
        double start = cpuMilliseconds(CpuOf::Thread);
        if (!image.loadFromFile(picture.file))
            return false;
        const double decode = cpuMilliseconds(CpuOf::Thread) - start;
        sf::Texture texture;
        start = cpuMilliseconds(CpuOf::Thread);
        texture.loadFromImage(image);
        glFinish();
        const double upload = cpuMilliseconds(CpuOf::Thread) - start;
        if (attempt == 0 || decode + upload < picture.decode + picture.upload) {
            picture.decode = decode;
            picture.upload = upload;
        }
        picture.width = image.getSize().x;
        picture.height = image.getSize().y;
    }
    std::error_code error;
    picture.bytes = static_cast<long long>(std::filesystem::file_size(picture.file, error));
    return true;
}

std::string line(const Picture& picture)
{
    char text[200];
    std::snprintf(text, sizeof text, "  %-14s %4ux%-4u %8.2f MB %9.1f ms %8.1f ms  %s", picture.key.c_str(),
                  picture.width, picture.height, static_cast<double>(picture.bytes) / 1e6, picture.decode,
                  picture.upload, picture.file.c_str());
    return text;
}
}

std::vector<std::string> PictureTimes::measure(const std::string& texturesFile, int repeats)
{
    std::ifstream stream(texturesFile);
    const nlohmann::json document = nlohmann::json::parse(stream, nullptr, false);
    if (document.is_discarded() || !document.contains("textures"))
        return {"drennmoor-bench: cannot read " + texturesFile};

    sf::Context context;
    std::vector<std::string> lines;
    std::vector<Picture> pictures;
    for (const auto& [key, entry] : document["textures"].items()) {
        Picture picture{key, entry.value("file", std::string())};
        if (timePicture(picture, repeats))
            pictures.push_back(picture);
        else
            lines.push_back("drennmoor-bench: cannot load " + picture.file + " for " + key);
    }
    std::sort(pictures.begin(), pictures.end(),
              [](const Picture& a, const Picture& b) { return a.decode + a.upload > b.decode + b.upload; });

    lines.push_back("  CPU milliseconds of this thread, best of " + std::to_string(repeats) + " tries");
    lines.push_back("  picture        size         file       decode     upload  path");
    Picture total{"all", std::to_string(pictures.size()) + " pictures"};
    for (const Picture& picture : pictures) {
        lines.push_back(line(picture));
        total.decode += picture.decode;
        total.upload += picture.upload;
        total.bytes += picture.bytes;
    }
    lines.push_back(line(total));
    return lines;
}
