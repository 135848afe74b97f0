// The song against the poem: the staged Ogg Vorbis file as a player hears it, and the MIDI
// file it was rendered from. The tests run in the staged game folder (<build>/game); the
// build leaves the MIDI file in <build>/music.
#include "MidiNotes.hpp"
#include "OnsetDetector.hpp"
#include "PoemWordTimes.hpp"
#include "assets/MusicManager.hpp"
#include "support/TestSupport.hpp"

#include <SFML/Audio/InputSoundFile.hpp>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

const char* const kSongFile = "assets/music/demo_song.ogg";
const char* const kMusicFile = "assets/music.json";
const char* const kScoreMidi = "../music/demo_song.mid";

// 100 bars of 4/4 at 120 crotchets a minute.
constexpr double kBarSeconds = 2.0;
constexpr int kBars = 100;
// The melody that carries the words: the piano's right hand, MIDI channel 1.
constexpr int kMelodyChannel = 1;
constexpr int kLastPianoProgram = 7;  // General MIDI programs 0-7 are the pianos

// A word is sung when an onset of the audio lies this close to its written time.
constexpr double kOnsetTolerance = 0.030;
// How far either side of a word the detector looks for its onset: less than the closest two
// words (a quaver, 0.25 s), so a note is never counted for its neighbour's word.
constexpr double kOnsetSearch = 0.100;
// abc2midi starts every note one tick (about 1 ms) after its beat.
constexpr double kScoreTolerance = 0.002;

// -1 dBFS: room for the decoder's overshoot on a mastered -3 dBFS peak.
constexpr double kPeakLimit = 0.891;
// Both sides of the loop's seam must be this quiet, in dBFS over kSeamSeconds.
constexpr double kSeamLimitDb = -50.0;
constexpr double kSeamSeconds = 0.1;

struct DecodedSong {
    unsigned sampleRate = 0;
    unsigned channels = 0;
    std::uint64_t frames = 0;
    double peak = 0.0;        // largest |sample| of any channel, full scale = 1
    std::vector<float> mono;  // the channels averaged
};

::testing::AssertionResult decode(const std::string& path, DecodedSong& song)
{
    sf::InputSoundFile file;
    if (!file.openFromFile(path))
        return ::testing::AssertionFailure() << "SFML cannot open " << path << " (is the music built?)";
    song.sampleRate = file.getSampleRate();
    song.channels = file.getChannelCount();
    song.frames = file.getSampleCount() / song.channels;
    song.mono.reserve(song.frames);

    std::vector<sf::Int16> block(4096 * song.channels);
    for (;;) {
        const std::uint64_t read = file.read(block.data(), block.size());
        for (std::uint64_t frame = 0; frame + song.channels <= read; frame += song.channels) {
            double sum = 0.0;
            for (unsigned channel = 0; channel < song.channels; ++channel) {
                const double sample = block[frame + channel] / 32768.0;
                song.peak = std::max(song.peak, std::abs(sample));
                sum += sample;
            }
            song.mono.push_back(static_cast<float>(sum / song.channels));
        }
        if (read < block.size())
            break;
    }
    return ::testing::AssertionSuccess();
}

// Root mean square of the mono mix over [from, from + seconds), in dBFS.
double levelDb(const DecodedSong& song, double from, double seconds)
{
    const auto first = static_cast<std::size_t>(std::max(0.0, from * song.sampleRate));
    const auto last = std::min(song.mono.size(), static_cast<std::size_t>((from + seconds) * song.sampleRate));
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i)
        sum += static_cast<double>(song.mono[i]) * song.mono[i];
    const double rms = last > first ? std::sqrt(sum / static_cast<double>(last - first)) : 0.0;
    return 20.0 * std::log10(std::max(rms, 1e-10));
}

// A held chord of two bright tones over faint noise, and from `noteSeconds` on a struck,
// decaying note: the detector's own test signal.
std::vector<float> heldChordWithNoteAt(double noteSeconds, unsigned sampleRate, double totalSeconds)
{
    const double pi = 3.14159265358979323846;
    std::vector<float> samples(static_cast<std::size_t>(totalSeconds * sampleRate));
    std::uint32_t noise = 12345;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        double value = 0.0;
        for (int harmonic = 1; harmonic <= 40; ++harmonic) {
            value += 0.05 / harmonic * std::sin(2 * pi * 220.0 * harmonic * t);
            value += 0.04 / harmonic * std::sin(2 * pi * 277.2 * harmonic * t);
        }
        noise = noise * 1664525u + 1013904223u;
        value += 0.003 * (static_cast<double>(noise) / 4294967296.0 - 0.5);
        if (t >= noteSeconds) {
            const double since = t - noteSeconds;
            for (int harmonic = 1; harmonic <= 12; ++harmonic)
                value += 0.1 / harmonic * std::exp(-3.0 * since) * std::sin(2 * pi * 587.3 * harmonic * since);
        }
        samples[i] = static_cast<float>(value);
    }
    return samples;
}

} // namespace

TEST(OnsetDetector, FindsAStruckNoteOverAHeldChordWithinFiveMilliseconds)
{
    const std::vector<float> samples = heldChordWithNoteAt(1.0, 44100, 2.0);
    const OnsetDetector detector(samples, 44100);
    const std::optional<double> onset = detector.onsetNear(1.0, kOnsetSearch);
    ASSERT_TRUE(onset.has_value());
    EXPECT_NEAR(*onset, 1.0, 0.005);
}

TEST(OnsetDetector, FindsNothingWhereNoNoteStarts)
{
    const std::vector<float> samples = heldChordWithNoteAt(1.0, 44100, 2.0);
    const OnsetDetector detector(samples, 44100);
    EXPECT_FALSE(detector.onsetNear(0.5, kOnsetSearch).has_value()) << "the held chord alone";
    EXPECT_FALSE(detector.onsetNear(1.5, kOnsetSearch).has_value()) << "the note dying away";
    EXPECT_FALSE(detector.onsetNear(1.125, kOnsetSearch).has_value())
        << "a note a semiquaver early is not the onset of a word";
    const std::vector<float> silence(44100 * 2, 0.0f);
    EXPECT_FALSE(OnsetDetector(silence, 44100).onsetNear(1.0, kOnsetSearch).has_value());
}

TEST(SongScore, EveryWordStartsOnAPianoNoteOfTheMelody)
{
    MidiNotes score;
    std::string error;
    ASSERT_TRUE(readMidiNotes(kScoreMidi, score, error)) << error;

    for (const MidiProgram& program : score.programs) {
        if (program.channel == kMelodyChannel) {
            EXPECT_LE(program.program, kLastPianoProgram) << "the melody changes to program " << program.program
                                                          << " at " << program.seconds << " s";
        }
    }
    for (const WordList& list : kPoemWordLists) {
        for (std::size_t word = 0; word < list.words.size(); ++word) {
            const double time = list.words[word];
            const bool sung = std::any_of(score.notes.begin(), score.notes.end(), [&](const MidiNote& note) {
                return note.channel == kMelodyChannel && std::abs(note.seconds - time) <= kScoreTolerance;
            });
            EXPECT_TRUE(sung) << "play " << list.play << ", word " << word + 1 << " at " << time
                              << " s has no melody note";
        }
    }
}

TEST(SongAudio, EveryWordStartsWithin30MillisecondsOfAnOnset)
{
    DecodedSong song;
    ASSERT_TRUE(decode(kSongFile, song));
    const OnsetDetector detector(song.mono, song.sampleRate);

    std::printf("play  word  written (s)  measured (s)  offset (ms)\n");
    double largest = 0.0;
    double sumOfSizes = 0.0;
    double sum = 0.0;
    int measured = 0;
    for (const WordList& list : kPoemWordLists) {
        for (std::size_t word = 0; word < list.words.size(); ++word) {
            const double time = list.words[word];
            const std::optional<double> onset = detector.onsetNear(time, kOnsetSearch);
            if (!onset) {
                std::printf("%4d  %4zu  %11.3f  %12s  %11s\n", list.play, word + 1, time, "none", "-");
                ADD_FAILURE() << "play " << list.play << ", word " << word + 1 << " at " << time
                              << " s: no onset within " << kOnsetSearch * 1000 << " ms";
                continue;
            }
            const double offset = *onset - time;
            std::printf("%4d  %4zu  %11.3f  %12.4f  %11.1f\n", list.play, word + 1, time, *onset, offset * 1000);
            EXPECT_LE(std::abs(offset), kOnsetTolerance)
                << "play " << list.play << ", word " << word + 1 << " at " << time << " s";
            largest = std::max(largest, std::abs(offset));
            sumOfSizes += std::abs(offset);
            sum += offset;
            ++measured;
        }
    }
    if (measured > 0) {
        std::printf("%d words measured: largest |offset| %.1f ms, mean |offset| %.1f ms, mean offset %+.1f ms\n",
                    measured, largest * 1000, sumOfSizes / measured * 1000, sum / measured * 1000);
    }
}

TEST(SongAudio, LastsExactlyOneHundredBarsAndPeaksBelowFullScale)
{
    DecodedSong song;
    ASSERT_TRUE(decode(kSongFile, song));
    EXPECT_EQ(song.sampleRate, 44100u);
    EXPECT_EQ(song.frames, static_cast<std::uint64_t>(kBars * kBarSeconds * song.sampleRate))
        << "the song lasts " << static_cast<double>(song.frames) / song.sampleRate << " s";
    EXPECT_LT(song.peak, kPeakLimit) << "peak " << 20 * std::log10(song.peak) << " dBFS";
    std::printf("length %.3f s, peak %.2f dBFS\n", static_cast<double>(song.frames) / song.sampleRate,
                20 * std::log10(song.peak));
}

TEST(SongAudio, LoopsFromABarLineAndBothSidesOfTheSeamAreSilent)
{
    std::ifstream file(kMusicFile);
    ASSERT_TRUE(file) << "cannot open " << kMusicFile;
    const nlohmann::json document = nlohmann::json::parse(file);
    const nlohmann::json& entry = document.at("music").at("demo_song");
    const double loopTo = entry.value("loopTo", 0.0) / 1000.0;

    DecodedSong song;
    ASSERT_TRUE(decode(kSongFile, song));
    const double length = static_cast<double>(song.frames) / song.sampleRate;
    EXPECT_GE(loopTo, 0.0);
    EXPECT_LT(loopTo, length);
    EXPECT_EQ(std::fmod(loopTo, kBarSeconds), 0.0) << "loopTo " << loopTo << " s is not on a bar line";

    // The loop joins the song's end to loopTo; where both are silent the join cannot click.
    const double endLevel = levelDb(song, length - kSeamSeconds, kSeamSeconds);
    EXPECT_LT(endLevel, kSeamLimitDb) << "the song's last " << kSeamSeconds * 1000 << " ms";
    if (loopTo > 0.0) {
        const double beforeLoop = levelDb(song, loopTo - kSeamSeconds, kSeamSeconds);
        EXPECT_LT(beforeLoop, kSeamLimitDb) << "the " << kSeamSeconds * 1000 << " ms before loopTo";
    }
    std::printf("loopTo %.3f s; level of the last %.1f s: %.1f dBFS\n", loopTo, kSeamSeconds, endLevel);
}

TEST(SongAudio, PlaysThroughTheGamesMusicRegistry)
{
    MusicManager& music = MusicManager::instance();
    const std::string messages = captureStderr([&] {
        EXPECT_TRUE(music.load(kMusicFile));
        music.playSong("demo_song", true, 0.0);
    });
    EXPECT_EQ(messages, "");
    EXPECT_EQ(music.player.getStatus(), sf::SoundSource::Playing);
    EXPECT_EQ(music.player.getChannelCount(), 2u);
    EXPECT_NEAR(music.player.getDuration().asSeconds(), kBars * kBarSeconds, 0.001);
    EXPECT_EQ(std::fmod(music.player.getLoopPoints().offset.asSeconds(), kBarSeconds), 0.0f);
    music.player.stop();
}
