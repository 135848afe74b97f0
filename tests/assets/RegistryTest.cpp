#include "assets/MusicManager.hpp"
#include "assets/SpriteManager.hpp"
#include "assets/TextureManager.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

// Creating a texture needs the display the test command provides.
TEST(SpriteManager, RectanglesOriginsAutocenterAndOneSpriteAKey)
{
    TempDir dir;
    sf::Image image;
    image.create(101, 60, sf::Color(10, 20, 30));
    ASSERT_TRUE(image.saveToFile(dir.path() + "/picture.png"));
    TextureManager textures;
    ASSERT_TRUE(textures.add("t", dir.path() + "/picture.png", false));
    SpriteManager sprites(textures);
    const auto load = [&sprites](const std::string& json) {
        std::istringstream stream(json);
        return captureStderr([&] { EXPECT_TRUE(sprites.loadFromStream(stream)); });
    };
    EXPECT_EQ(load(R"({"sprites": {
        "plain": {"texture": "t"},
        "offset": {"texture": "t", "rectX": 10, "rectY": 20.9},
        "explicit": {"texture": "t", "rectW": -1, "rectH": 30, "originX": 2.5, "originY": 4},
        "centred": {"texture": "t", "autocenter": true, "rectX": 5, "originX": 99}}})"),
              "");
    EXPECT_EQ(sprites.get("plain")->getTextureRect(), sf::IntRect(0, 0, 101, 60));
    EXPECT_EQ(sprites.get("plain")->getOrigin(), sf::Vector2f(0, 0));
    EXPECT_EQ(sprites.get("offset")->getTextureRect(), sf::IntRect(10, 20, 101, 60))
        << "the rectangle keeps the full size and may reach past the edge";
    EXPECT_EQ(sprites.get("explicit")->getTextureRect(), sf::IntRect(0, 0, 101, 30));
    EXPECT_EQ(sprites.get("explicit")->getOrigin(), sf::Vector2f(2.5f, 4.0f));
    EXPECT_EQ(sprites.get("centred")->getTextureRect(), sf::IntRect(0, 0, 101, 60));
    EXPECT_EQ(sprites.get("centred")->getOrigin(), sf::Vector2f(50, 30)) << "odd sizes halve downwards";

    // Every user sees the one sprite, which a second load of its key leaves as it is.
    sprites.get("plain")->setPosition(40, 50);
    EXPECT_EQ(load(R"({"sprites": {"plain": {"texture": "t"}}})"), "SpriteManager: Sprite with key plain already exists.\n");
    EXPECT_EQ(sprites.get("plain")->getPosition(), sf::Vector2f(40, 50));
}

// An unknown key or a file that does not open leaves the player alone; a song plays with its
// volume and loop, at volume 0 when muted.
TEST(MusicManager, PlaysWhatItCanWithItsVolumeLoopAndMute)
{
    TempDir dir;
    const std::string song = std::filesystem::absolute("assets/music/demo_song.ogg").string();
    const std::string path = dir.write("music.json", R"({"music": {
        "s": {"file": ")" + song + R"(", "volume": 40},
        "gone": {"file": "no/such.ogg", "volume": 40}}})");
    MusicManager music;
    EXPECT_EQ(captureStderr([&] { EXPECT_TRUE(music.load(path)); }), "");
    EXPECT_TRUE(music.contains("gone"));
    const std::string errors = captureStderr([&] {
        music.playSong("nothing", true, 0);
        music.playSong("gone", true, 0);
    });
    EXPECT_NE(errors.find("MusicManager: Song with key nothing does not exist.\n"), std::string::npos);
    EXPECT_NE(errors.find("MusicManager: Unable to load music file no/such.ogg.\n"), std::string::npos);
    EXPECT_EQ(music.player()->getStatus(), sf::SoundSource::Stopped);
    EXPECT_EQ(music.player()->getVolume(), 100.0f) << "volume is not applied when the file fails";

    music.playSong("s", true, 0);
    EXPECT_NEAR(music.player()->getVolume(), 40.0f, 0.01f);
    EXPECT_TRUE(music.player()->getLoop());
    EXPECT_EQ(music.player()->getStatus(), sf::SoundSource::Playing);

    MusicManager muted;
    ASSERT_TRUE(muted.load(path));
    muted.mute();
    muted.playSong("s", false, 500.9);
    EXPECT_EQ(muted.player()->getVolume(), 0.0f) << "a muted song is opened and played at volume 0";
    EXPECT_EQ(muted.player()->getStatus(), sf::SoundSource::Playing);
    EXPECT_FALSE(muted.player()->getLoop());
    EXPECT_GE(muted.player()->getPlayingOffset().asMilliseconds(), 500);
}
