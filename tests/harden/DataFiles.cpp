#include "DataFiles.hpp"

#include "TinyGameFolder.hpp"

#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "text/TextManager.hpp"

#include <nlohmann/json.hpp>

#include <sstream>
#include <stdexcept>

namespace {
const std::string kValidate = "validateJson: Missing prop: ";
const std::string kLibrary = "[json.exception.";
constexpr float kDt = 1.0f / 60.0f;

// The keys among `keys` that `registry` holds.
template <typename Registry>
std::vector<std::string> heldKeys(const Registry& registry, const std::vector<std::string>& keys)
{
    std::vector<std::string> held;
    for (const std::string& key : keys) {
        if (registry.contains(key))
            held.push_back(key);
    }
    return held;
}

std::vector<std::string> shippedKeys(const TinyGameFolder& folder, const std::string& path, const std::string& top)
{
    std::vector<std::string> keys;
    const nlohmann::json document = nlohmann::json::parse(folder.shipped(path));
    for (const auto& entry : document.at(top).items())
        keys.push_back(entry.key());
    return keys;
}

// A registry file whose entries need a FILE (or TEXTURE) member, with its shipped keys and
// a loader into a fresh registry made by `make`.
template <typename Make>
DataFile registryFile(TinyGameFolder& folder, DataFile file, const std::string& needed, Make make)
{
    file.entryNotObjectLines = [owner = file.owner, needed](const std::string& key) {
        return owner + ": Missing " + needed + " property for [" + key + "]\n";
    };
    file.keys = shippedKeys(folder, file.path, file.top);
    file.load = [keys = file.keys, make](const std::string& text) {
        Loaded loaded;
        auto registry = make();
        std::istringstream stream(text);
        loaded.errors = captureStderr([&] { loaded.result = registry->loadFromStream(stream); });
        loaded.keys = heldKeys(*registry, keys);
        return loaded;
    };
    return file;
}

DataFile configFile()
{
    DataFile file{"config.json", "config.json", "", {"config.json: ", kLibrary}, {}, "", nullptr, nullptr};
    file.load = [](const std::string& text) {
        Loaded loaded;
        Config config;
        MusicManager music;
        std::istringstream stream(text);
        loaded.errors = captureStderr([&] { loadConfig(stream, config, music); });
        loaded.result = true;
        return loaded;
    };
    return file;
}

DataFile definitionFile(TinyGameFolder& folder)
{
    DataFile file{"assets/particles/rain.json", "ParticleSystem", "",
                  {"ParticleSystem: ", "SpriteManager: Sprite with key ", kValidate, kLibrary}, {"rain"},
                  kValidate + "name.\nParticleSystem: Missing properties in jsonfile.\n", nullptr, nullptr};
    file.load = [&folder](const std::string& text) {
        Loaded loaded;
        ParticleSystem system;
        std::istringstream stream(text);
        loaded.errors = captureStderr([&] {
            loaded.result = system.loadFromStream(stream, "assets/particles/rain.json", 400, folder.sprites);
        });
        if (!loaded.result)
            return loaded;
        loaded.keys = {"rain"};
        system.emitting = true;
        for (int frame = 0; frame < 60; ++frame)
            system.update(kDt);
        system.emitAt(10.0f, 10.0f);
        system.draw(folder.target);
        return loaded;
    };
    return file;
}

DataFile textFile(TinyGameFolder& folder)
{
    DataFile file{"assets/text/text.json", "TextManager", "textsystems",
                  {"TextManager: ", "TextSystem: ", "ParticleManager: ParticleSystem with key ", "Failed to load font ",
                   kValidate, kLibrary},
                  {}, kValidate + "textsystems.\nTextManager: Missing properties in textsfile.\n",
                  [](const std::string&) {
                      return kValidate + "font.\nTextSystem: Missing properties in textdata.\n"
                                         "TextSystem: Unable to create textsystem. Bad JSON formatting.\n";
                  },
                  nullptr};
    file.keys = shippedKeys(folder, file.path, file.top);
    file.load = [&folder, keys = file.keys](const std::string& text) {
        Loaded loaded;
        TextManager texts(folder.particles);
        std::istringstream stream(text);
        loaded.errors = captureStderr([&] { loaded.result = texts.loadFromStream(stream); });
        loaded.keys = heldKeys(texts, keys);
        for (const std::string& key : loaded.keys)
            texts.get(key)->playLine("Iron, and rain", 0.1f, 1.0f, 100.0f, 50.0f);
        for (int frame = 0; frame < 20; ++frame)
            texts.update(0.1f);
        texts.draw(folder.target);
        return loaded;
    };
    return file;
}
}

DataFile dataFile(TinyGameFolder& folder, const std::string& path)
{
    if (path == "config.json")
        return configFile();
    if (path == "assets/textures.json")
        return registryFile(folder,
                            {path, "TextureManager", "textures",
                             {"TextureManager: ", kValidate, kLibrary, "Failed to load image "}, {},
                             kValidate + "textures.\nTextureManager: Missing properties in texturesfile.\n", {}, {}},
                            "FILE", [] { return std::make_unique<TextureManager>(); });
    if (path == "assets/sprites.json")
        return registryFile(folder,
                            {path, "SpriteManager", "sprites",
                             {"SpriteManager: ", "TextureManager: Texture with key ", kValidate, kLibrary}, {},
                             kValidate + "sprites.\nSpriteManager: Missing properties in spritesfile.\n", {}, {}},
                            "TEXTURE", [&folder] { return std::make_unique<SpriteManager>(folder.textures); });
    if (path == "assets/music.json")
        return registryFile(folder,
                            {path, "MusicManager", "music", {"MusicManager: ", kValidate, kLibrary}, {},
                             kValidate + "music.\n", {}, {}},
                            "FILE", [] { return std::make_unique<MusicManager>(); });
    if (path == "assets/particles.json")
        return registryFile(
            folder,
            {path, "ParticleManager", "particlesystems",
             {"ParticleManager: ", "ParticleSystem: ", "SpriteManager: Sprite with key ", kValidate, kLibrary}, {},
             kValidate + "particlesystems.\n", {}, {}},
            "FILE", [&folder] { return std::make_unique<ParticleManager>(folder.sprites); });
    if (path == "assets/particles/rain.json")
        return definitionFile(folder);
    if (path == "assets/text/text.json")
        return textFile(folder);
    throw std::invalid_argument("no data file " + path);
}

std::string unknownLine(const std::string& errors, const std::vector<std::string>& prefixes)
{
    if (!errors.empty() && errors.back() != '\n')
        return "(no newline at the end) " + errors.substr(errors.rfind('\n') + 1);
    std::istringstream lines(errors);
    std::string line;
    while (std::getline(lines, line)) {
        bool known = false;
        for (const std::string& prefix : prefixes)
            known = known || line.rfind(prefix, 0) == 0;
        if (!known)
            return line.empty() ? "(an empty line)" : line;
    }
    return "";
}
