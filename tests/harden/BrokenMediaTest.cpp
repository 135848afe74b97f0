#include "TinyGameFolder.hpp"

#include "assets/MusicManager.hpp"
#include "support/NamedPipe.hpp"
#include "text/TextManager.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <sstream>
#include <thread>

// Pictures, songs and fonts that are not what their names say: each is reported in one line
// of its owner (after the graphics or audio library's own lines), and everything else in the
// same file still loads.

namespace {
std::string randomBytes(std::size_t count)
{
    std::mt19937 generator(8);
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator() & 0xFF);
    return bytes;
}

// A picture of noise, so that its PNG has more than a few bytes of data to cut.
std::string noisePng()
{
    sf::Image picture;
    picture.create(64, 64, reinterpret_cast<const sf::Uint8*>(randomBytes(64 * 64 * 4).data()));
    picture.saveToFile("good.png");
    return readFile("good.png");
}

// Every line but the last comes from the library and starts with "Failed"; the last is `owner`.
void expectLibraryLinesThen(const std::string& errors, const std::string& owner)
{
    ASSERT_GE(errors.size(), owner.size() + 1) << errors;
    EXPECT_EQ(errors.substr(errors.size() - owner.size() - 1), owner + "\n");
    std::istringstream lines(errors.substr(0, errors.size() - owner.size() - 1));
    for (std::string line; std::getline(lines, line);)
        EXPECT_EQ(line.rfind("Failed", 0), 0u) << line;
}

class BrokenMedia : public testing::Test {
protected:
    TinyGameFolder folder;
    TempDir media;
};
}

// A named pipe in a picture's place hung the start-up in open() for ever, and a 16,384 x
// 16,384 picture took 2.55 GB and 18 s without a word: a picture larger than the film takes is
// refused from its header, in one line, before it is decoded.
TEST_F(BrokenMedia, PicturesThatCannotBeTexturesAreReportedAndTheirSpritesLeftOut)
{
    const std::string png = noisePng();
    NamedPipe pipe(media.path() + "/pipe.png");
    std::filesystem::create_directory(media.path() + "/folder.png");
    // Only the header of a picture of 8193 x 8193 pixels: it is never read further.
    std::string header = png.substr(0, 33);
    header.replace(16, 8, std::string("\0\0\x20\x01\0\0\x20\x01", 8));
    struct Broken {
        std::string key, file;
        std::string refused;  // the reason given without reading the picture; empty for the library's
    };
    const std::vector<Broken> broken = {
        {"cut", media.write("cut.png", png.substr(0, png.size() / 2)), ""},
        {"noise", media.write("noise.png", randomBytes(4096)), ""},
        {"too_large", media.write("too_large.png", header), "8193 x 8193 pixels, more than 8192 either way"},
        {"pipe", pipe.path(), "a named pipe, not a file"},
        {"folder", media.path() + "/folder.png", "a folder, not a file"},
    };

    for (const auto& [key, file, refused] : broken) {
        TextureManager textures;
        SpriteManager sprites(textures);
        std::istringstream texturesFile(R"({"textures": {"a_good": {"file": "good.png"}, ")" + key +
                                        R"(": {"file": ")" + file + R"("}, "z_good": {"file": "good.png"}}})");
        const std::string errors = captureStderr([&] { EXPECT_TRUE(textures.loadFromStream(texturesFile)); });
        if (refused.empty())
            expectLibraryLinesThen(errors, "TextureManager: Unable to load file " + file + ".");
        else
            EXPECT_EQ(errors, "TextureManager: Unable to load file " + file + ": " + refused + ".\n");
        EXPECT_FALSE(textures.contains(key));
        EXPECT_TRUE(textures.contains("a_good"));
        EXPECT_TRUE(textures.contains("z_good"));

        std::istringstream spritesFile(R"({"sprites": {"a_good": {"texture": "a_good"}, "broken": {"texture": ")" +
                                       key + R"("}, "z_good": {"texture": "z_good"}}})");
        EXPECT_EQ(captureStderr([&] { sprites.loadFromStream(spritesFile); }),
                  "TextureManager: Texture with key " + key + " does not exist.\n");
        EXPECT_FALSE(sprites.contains("broken"));
        EXPECT_TRUE(sprites.contains("a_good"));
        EXPECT_TRUE(sprites.contains("z_good"));
    }
    EXPECT_FALSE(pipe.opened());
}

TEST_F(BrokenMedia, ASongCutInItsHeadersIsReportedAndTheOneCutInItsBodyPlaysToItsEnd)
{
    const std::string song = folder.shipped("assets/music/demo_song.ogg");
    ASSERT_GT(song.size(), 64000u);
    const std::string head = media.write("head.ogg", song.substr(0, 2000));
    const std::string body = media.write("body.ogg", song.substr(0, 64000));
    MusicManager music;
    std::istringstream musicFile(R"({"music": {"head": {"file": ")" + head + R"(", "loopTo": 16000},
                                             "body": {"file": ")" + body + R"(", "loopTo": 16000}}})");
    ASSERT_EQ(captureStderr([&] { music.loadFromStream(musicFile); }), "");

    const std::string headErrors = captureStderr([&] { music.playSong("head", true, 0.0); });
    expectLibraryLinesThen(headErrors, "MusicManager: Unable to load music file " + head + ".");
    EXPECT_EQ(music.player()->getStatus(), sf::SoundSource::Stopped);

    // The cut song is shorter than its loop point: the library refuses the loop span in its own
    // line, and the song plays on.
    const std::string bodyErrors = captureStderr([&] {
        music.playSong("body", true, 0.0);
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
    });
    EXPECT_EQ(bodyErrors.find("MusicManager"), std::string::npos) << bodyErrors;
    EXPECT_EQ(music.player()->getStatus(), sf::SoundSource::Playing);
    EXPECT_LT(music.player()->getDuration(), sf::seconds(16.0f));
    music.player()->stop();
}

TEST_F(BrokenMedia, AFontOfRandomBytesIsReportedAndTheOtherStylesBuilt)
{
    const std::string noise = media.write("noise.otf", randomBytes(8192));
    TextManager texts(folder.particles);
    std::istringstream textFile(R"({"textsystems": {
        "a_good": {"font": "assets/fonts/EBGaramond12-Regular.otf", "size": 40},
        "noise": {"font": ")" + noise + R"(", "size": 40},
        "z_good": {"font": "assets/fonts/EBGaramond12-Regular.otf", "size": 40}}})");
    const std::string errors = captureStderr([&] { EXPECT_TRUE(texts.loadFromStream(textFile)); });
    expectLibraryLinesThen(errors, "TextSystem: Missing FONT property.\n"
                                   "TextSystem: Unable to create textsystem. Bad JSON formatting.");
    EXPECT_FALSE(texts.contains("noise"));
    EXPECT_TRUE(texts.contains("a_good"));
    EXPECT_TRUE(texts.contains("z_good"));
}
