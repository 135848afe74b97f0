#include "assets/MusicManager.hpp"
#include "core/Game.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

// The game started in a copy of its folder whose song is missing and whose first close-up is
// a picture cut in half: start-up and the opening report each in one line, and the film plays
// on, in silence. The game's state is process-wide: this runs in a process of its own.

namespace fs = std::filesystem;

namespace {
// Long frames keep the test short: the black lead-in's 2.5 s and 3.5 s of the opening.
constexpr float kDt = 0.25f;
constexpr int kFrames = 24;
const std::string kMissingSong = "assets/music/missing.ogg";
const std::string kCutPicture = "assets/cut/closeup1_0.png";

std::string readFile(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The game folder's data, shared through links, but for the song and one picture.
void copyGameFolder(const fs::path& game, const TempDir& copy)
{
    fs::create_directories(fs::path(copy.path()) / "assets");
    for (const char* shared : {"assets/images", "assets/fonts", "assets/shaders", "assets/particles", "assets/text",
                               "assets/sprites.json", "assets/particles.json", "config.json"})
        fs::create_symlink(game / shared, fs::path(copy.path()) / shared);

    nlohmann::json textures = nlohmann::json::parse(readFile(game / "assets/textures.json"));
    const std::string picture = readFile(game / textures["textures"]["closeup1_0"]["file"].get<std::string>());
    copy.write(kCutPicture, picture.substr(0, picture.size() / 2));
    textures["textures"]["closeup1_0"]["file"] = kCutPicture;
    copy.write("assets/textures.json", textures.dump(4));

    nlohmann::json music = nlohmann::json::parse(readFile(game / "assets/music.json"));
    music["music"]["demo_song"]["file"] = kMissingSong;
    copy.write("assets/music.json", music.dump(4));
}

std::size_t countOf(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}
}

TEST(SilentFilm, PlaysOnWithoutItsSongAndWithACutPicture)
{
    const fs::path gameFolder = fs::current_path();
    TempDir copy;
    copyGameFolder(gameFolder, copy);
    fs::current_path(copy.path());

    sf::RenderTexture window;
    ASSERT_TRUE(window.create(1920, 1080));
    Game& loop = game();
    bool loaded = false;
    const std::string startErrors = captureStderr([&] { loaded = loop.loadContent(); });
    EXPECT_TRUE(loaded);
    EXPECT_EQ(countOf(startErrors, "TextureManager: Unable to load file " + kCutPicture + ".\n"), 1u) << startErrors;
    EXPECT_EQ(countOf(startErrors, "TextureManager: Texture with key closeup1_0 does not exist.\n"), 1u);

    const std::string filmErrors = captureStderr([&] {
        for (int frame = 0; frame < kFrames && loop.running; ++frame)
            loop.frame(kDt, window);
    });
    // The opening's first frame: the audio library's line and the player's for the song, and
    // the sprite of the picture that did not load.
    const std::string songLine = "MusicManager: Unable to load music file " + kMissingSong + ".\n";
    const std::string spriteLine = "SpriteManager: Sprite with key closeup1_0 does not exist.\n";
    const std::size_t song = filmErrors.find(songLine);
    ASSERT_NE(song, std::string::npos) << filmErrors;
    EXPECT_EQ(filmErrors.substr(song), songLine + spriteLine);
    EXPECT_EQ(filmErrors.rfind("Failed to open sound file \"" + kMissingSong + "\"", 0), 0u) << filmErrors;
    EXPECT_EQ(std::count(filmErrors.begin(), filmErrors.begin() + song, '\n'), 1) << filmErrors;
    EXPECT_TRUE(loop.running);
    EXPECT_EQ(loop.sceneId, 0);
    EXPECT_EQ(MusicManager::instance().player.getStatus(), sf::SoundSource::Stopped);
    fs::current_path(gameFolder);
}
