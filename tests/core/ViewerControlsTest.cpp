#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "core/Game.hpp"
#include "core/PadControls.hpp"
#include "core/Screen.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Sleep.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <functional>
#include <sstream>
#include <utility>
#include <sys/wait.h>
#include <unistd.h>

// The viewer's Space and M: a pause holds the film and its song still and the film then goes
// on exactly as if there had been none; the song can be silenced and given back its volume.
// A controller's Start and Back.
namespace {

constexpr float kDt = 0.5f;
constexpr int kFrames = 44;       // to 19 s into the opening: rain, close-ups, a poem line
constexpr int kPauseAfter = 38;   // frames played before Space
constexpr int kPausedFrames = 6;

std::size_t pictureOf(const sf::RenderTexture& target)
{
    const sf::Image image = target.getTexture().copyToImage();
    const auto* pixels = reinterpret_cast<const char*>(image.getPixelsPtr());
    return std::hash<std::string_view>()(std::string_view(pixels, image.getSize().x * image.getSize().y * 4));
}

// The pictures of the film's frames from kPauseAfter - 1 on, pausing for a stretch when asked.
std::vector<std::size_t> playFilm(bool pause)
{
    std::vector<std::size_t> pictures;
    EXPECT_TRUE(game().loadContent());
    sf::RenderTexture window;
    EXPECT_TRUE(window.create(kScreenWidth, kScreenHeight));
    for (int frame = 0; frame < kFrames; ++frame) {
        if (pause && frame == kPauseAfter) {
            const sf::Music& song = *MusicManager::instance().player();
            game().togglePause();
            EXPECT_EQ(song.getStatus(), sf::SoundSource::Paused);
            const sf::Time heldAt = song.getPlayingOffset();
            for (int still = 0; still < kPausedFrames; ++still) {
                game().frame(kDt, window);
                window.display();
                EXPECT_EQ(pictureOf(window), pictures.back()) << "paused frame " << still;
            }
            sf::sleep(sf::milliseconds(300));
            EXPECT_EQ(song.getPlayingOffset(), heldAt) << "the song holds still while paused";
            game().togglePause();
            EXPECT_EQ(song.getStatus(), sf::SoundSource::Playing);
        }
        game().frame(kDt, window);
        window.display();
        if (frame + 1 >= kPauseAfter)
            pictures.push_back(pictureOf(window));
    }
    return pictures;
}

TEST(ViewerControls, APauseLeavesEveryPictureOfTheFilmAsWithoutIt)
{
    // The film without a pause plays in a child process: the game's state is process-wide.
    TempDir dir;
    const std::string unpausedFile = dir.path() + "/unpaused.txt";
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::ofstream out(unpausedFile);
        for (std::size_t picture : playFilm(false))
            out << picture << '\n';
        out.close();  // _exit flushes nothing
        _exit(out ? 0 : 1);
    }
    int status = 1;
    waitpid(child, &status, 0);
    ASSERT_EQ(status, 0) << "the unpaused film did not finish";
    std::ifstream in(unpausedFile);
    const std::vector<std::size_t> unpaused{std::istream_iterator<std::size_t>(in), {}};
    EXPECT_EQ(playFilm(true), unpaused);
}

TEST(ViewerControls, MuteSilencesTheSongAndGivesItsOwnVolumeBack)
{
    TempDir dir;
    const std::string song = std::filesystem::absolute("assets/music/demo_song.ogg").string();
    const std::string list = dir.write("music.json", R"({"music": {"song": {"file": ")" + song +
                                                         R"(", "volume": 37}}})");
    // The game's own player, as the viewer's M reaches it; config.json's "music" first.
    MusicManager& music = MusicManager::instance();
    ASSERT_TRUE(music.load(list));
    for (bool startMuted : {false, true}) {
        Config config;
        std::istringstream file(startMuted ? R"({"music": false})" : "{}");
        loadConfig(file, config, music);
        music.playSong("song", true, 0);
        const float loud = 37.0f;
        const float before = startMuted ? 0.0f : loud;
        EXPECT_FLOAT_EQ(music.player()->getVolume(), before);
        game().toggleMute();
        EXPECT_FLOAT_EQ(music.player()->getVolume(), loud - before);
        game().toggleMute();
        // Pausing and resuming leave the volume alone.
        game().togglePause();
        EXPECT_EQ(music.player()->getStatus(), sf::SoundSource::Paused);
        game().togglePause();
        EXPECT_EQ(music.player()->getStatus(), sf::SoundSource::Playing);
        EXPECT_FLOAT_EQ(music.player()->getVolume(), before);
    }
}

// Without a sound device M changes nothing: the film stays silent and no song is streamed.
TEST(ViewerControls, WithoutASoundDeviceMuteDoesNothing)
{
    TempDir dir;
    const std::string song = std::filesystem::absolute("assets/music/demo_song.ogg").string();
    MusicManager& music = MusicManager::instance();
    ASSERT_TRUE(music.load(dir.write("music.json", R"({"music": {"song": {"file": ")" + song + R"("}}})")));
    music.playWithoutDevice();
    game().toggleMute();
    music.playSong("song", true, 0);
    EXPECT_TRUE(music.musicMuted);
    EXPECT_EQ(music.player(), nullptr) << "nothing streams";
}

// A controller, frame by frame at 60 frames a second: Start toggles the pause once per press,
// however long it is held; Back ends the film only once held for a whole second, only while
// the window has the focus, and not when the pad goes in the middle of the hold.
TEST(ViewerControls, AControllersStartPausesOncePerPressAndBackEndsAfterASecondsHold)
{
    constexpr float kFrame = 1.0f / 60.0f;
    PadState pads[kPadSlots];
    // Frames of the pad in slot `slot` as given; how many pause toggles and whether any ended.
    const auto play = [&](PadControls& controls, unsigned slot, PadState pad, int frames, bool focused = true) {
        pads[slot] = pad;
        int toggles = 0;
        bool ended = false;
        for (int frame = 0; frame < frames; ++frame) {
            const PadControls::Actions actions = controls.update(pads, kFrame, focused);
            toggles += actions.togglePause ? 1 : 0;
            ended = ended || actions.end;
        }
        return std::make_pair(toggles, ended);
    };
    const PadState idle{true, false, false};
    const PadState start{true, true, false};
    const PadState back{true, false, true};
    const PadState gone{};
    const auto unplugAll = [&] { std::fill(std::begin(pads), std::end(pads), gone); };

    PadControls controls;
    EXPECT_EQ(play(controls, 3, idle, 5).first, 0);
    EXPECT_EQ(play(controls, 3, start, 90).first, 1) << "a press held for 1.5 s";
    EXPECT_EQ(play(controls, 3, idle, 1).first, 0);
    EXPECT_EQ(play(controls, 3, start, 1).first, 1) << "the next press";
    EXPECT_EQ(play(controls, 3, idle, 1).first, 0);
    EXPECT_EQ(play(controls, 3, start, 5, false).first, 0) << "unfocused";
    EXPECT_EQ(play(controls, 3, start, 5).first, 0) << "still the press made unfocused";

    unplugAll();
    PadControls holds;
    EXPECT_FALSE(play(holds, 0, back, 55).second) << "held 0.9 s";
    EXPECT_FALSE(play(holds, 0, idle, 1).second);
    EXPECT_FALSE(play(holds, 0, back, 55).second) << "again 0.9 s: the release started it anew";
    EXPECT_TRUE(play(holds, 0, back, 6).second) << "held 1 s";

    unplugAll();
    PadControls unplugged;
    EXPECT_FALSE(play(unplugged, 1, back, 55).second);
    EXPECT_FALSE(play(unplugged, 1, gone, 1).second) << "the pad went mid-hold";
    EXPECT_FALSE(play(unplugged, 1, back, 55).second) << "plugged in again with Back down: a new hold";
    unplugAll();
    PadControls unfocused;
    EXPECT_FALSE(play(unfocused, 1, back, 120, false).second) << "unfocused, 2 s";
}

} // namespace
