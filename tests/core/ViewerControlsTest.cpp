#include "assets/MusicManager.hpp"
#include "core/Config.hpp"
#include "core/Game.hpp"
#include "core/Screen.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Graphics/RenderTexture.hpp>
#include <SFML/System/Sleep.hpp>
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// The viewer's Space and M: a pause holds the film and its song still and the film then goes
// on exactly as if there had been none; the song can be silenced and given back its volume.
namespace {

constexpr float kDt = 0.5f;
constexpr int kFrames = 44;       // to 19 s into the opening: rain, close-ups, a poem line
constexpr int kPauseAfter = 38;   // frames played before Space
constexpr int kPausedFrames = 6;

std::uint64_t hashOf(const sf::RenderTexture& target)
{
    const sf::Image image = target.getTexture().copyToImage();
    const sf::Uint8* pixel = image.getPixelsPtr();
    std::uint64_t hash = 1469598103934665603ull;
    for (std::size_t i = 0; i < image.getSize().x * image.getSize().y * 4; ++i)
        hash = (hash ^ pixel[i]) * 1099511628211ull;
    return hash;
}

// The film's frames as pictures, from the start, pausing for a stretch when asked.
std::vector<std::uint64_t> playFilm(bool pause)
{
    std::vector<std::uint64_t> pictures;
    EXPECT_TRUE(game().loadContent());
    sf::RenderTexture window;
    EXPECT_TRUE(window.create(kScreenWidth, kScreenHeight));
    for (int frame = 0; frame < kFrames; ++frame) {
        if (pause && frame == kPauseAfter) {
            const sf::Music& song = MusicManager::instance().player;
            game().togglePause();
            EXPECT_EQ(song.getStatus(), sf::SoundSource::Paused);
            const sf::Time heldAt = song.getPlayingOffset();
            const std::uint64_t last = pictures.back();
            for (int still = 0; still < kPausedFrames; ++still) {
                game().frame(kDt, window);
                window.display();
                EXPECT_EQ(hashOf(window), last) << "paused frame " << still << " shows the last picture";
            }
            sf::sleep(sf::milliseconds(300));
            EXPECT_EQ(song.getPlayingOffset(), heldAt) << "the song holds still while paused";
            game().togglePause();
            EXPECT_EQ(song.getStatus(), sf::SoundSource::Playing);
        }
        game().frame(kDt, window);
        window.display();
        // Only the frames from just before the pause on can differ; the others cost no read-back.
        pictures.push_back(frame + 1 >= kPauseAfter ? hashOf(window) : 0);
    }
    return pictures;
}

TEST(ViewerControls, APauseLeavesEveryPictureOfTheFilmAsWithoutIt)
{
    // The film without a pause plays in a child process: the game's state is process-wide.
    int channel[2];
    ASSERT_EQ(pipe(channel), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(channel[0]);
        const std::vector<std::uint64_t> pictures = playFilm(false);
        const auto bytes = static_cast<ssize_t>(pictures.size() * sizeof(std::uint64_t));
        _exit(write(channel[1], pictures.data(), static_cast<std::size_t>(bytes)) == bytes ? 0 : 1);
    }
    close(channel[1]);
    std::vector<std::uint64_t> unpaused(kFrames);
    const auto wanted = static_cast<ssize_t>(unpaused.size() * sizeof(std::uint64_t));
    ssize_t got = 0;
    while (got < wanted) {
        const ssize_t more = read(channel[0], reinterpret_cast<char*>(unpaused.data()) + got,
                                  static_cast<std::size_t>(wanted - got));
        if (more <= 0)
            break;
        got += more;
    }
    close(channel[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_EQ(got, wanted) << "the unpaused film did not finish";

    const std::vector<std::uint64_t> paused = playFilm(true);
    for (int frame = 0; frame < kFrames; ++frame)
        EXPECT_EQ(paused[frame], unpaused[frame]) << "frame " << frame;
}

TEST(ViewerControls, MuteSilencesTheSongAndGivesItsOwnVolumeBack)
{
    TempDir dir;
    const std::string song = std::filesystem::absolute("assets/music/demo_song.ogg").string();
    const std::string list = dir.write("music.json", R"({"music": {"song": {"file": ")" + song +
                                                         R"(", "volume": 37}}})");
    for (bool startMuted : {false, true}) {
        MusicManager music;
        ASSERT_TRUE(music.load(list));
        Config config;
        std::istringstream file(startMuted ? R"({"music": false})" : "{}");
        loadConfig(file, config, music);
        music.playSong("song", true, 0);
        EXPECT_FLOAT_EQ(music.player.getVolume(), startMuted ? 0.0f : 37.0f);
        music.musicMuted ? music.unmute() : music.mute();
        EXPECT_FLOAT_EQ(music.player.getVolume(), startMuted ? 37.0f : 0.0f);
        music.musicMuted ? music.unmute() : music.mute();
        EXPECT_FLOAT_EQ(music.player.getVolume(), startMuted ? 0.0f : 37.0f);
        // Pausing and resuming leave the volume alone.
        music.setPaused(true);
        EXPECT_EQ(music.player.getStatus(), sf::SoundSource::Paused);
        music.setPaused(false);
        EXPECT_EQ(music.player.getStatus(), sf::SoundSource::Playing);
        EXPECT_FLOAT_EQ(music.player.getVolume(), startMuted ? 0.0f : 37.0f);
    }
}

} // namespace
