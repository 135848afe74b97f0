#include "SongTiming.hpp"

#include "OnsetDetector.hpp"

#include "core/FileCheck.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

namespace {

// The score: 100 bars of 4/4 at 120 crotchets a minute.
constexpr double kBarSeconds = 2.0;
constexpr double kScoreSeconds = 200.0;
// A word is sung when an onset lies this close to its time. The detector looks a little
// further either side, less than the closest two words (a quaver, 0.25 s) apart, so that a
// note is never counted for its neighbour's word.
constexpr double kOnsetTolerance = 0.030;
constexpr double kOnsetSearch = 0.100;
// -1 dBFS: room for the decoder's overshoot on a song mastered to peak at -3 dBFS.
constexpr double kPeakLimit = 0.891;
// Both sides of the loop's join must be this quiet over kSeamSeconds.
constexpr double kSeamLimitDb = -50.0;
constexpr double kSeamSeconds = 0.1;

struct DecodedSong {
    double sampleRate = 0.0;
    double peak = 0.0;        // largest |sample| of any channel, full scale 1
    std::vector<float> mono;  // the channels averaged
};

void decode(sf::InputSoundFile& file, DecodedSong& song)
{
    const unsigned channels = file.getChannelCount();
    song.sampleRate = file.getSampleRate();
    song.mono.reserve(file.getSampleCount() / channels);
    std::vector<sf::Int16> block(4096 * channels);
    for (;;) {
        const sf::Uint64 read = file.read(block.data(), block.size());
        for (sf::Uint64 frame = 0; frame + channels <= read; frame += channels) {
            double sum = 0.0;
            for (unsigned channel = 0; channel < channels; ++channel) {
                const double sample = block[frame + channel] / 32768.0;
                song.peak = std::max(song.peak, std::abs(sample));
                sum += sample;
            }
            song.mono.push_back(static_cast<float>(sum / channels));
        }
        if (read < block.size())
            return;
    }
}

// Root mean square of the mono mix over [from, from + kSeamSeconds), in dBFS.
double seamLevelDb(const DecodedSong& song, double from)
{
    const auto first = static_cast<std::size_t>(std::max(0.0, from * song.sampleRate));
    const auto last = std::min(song.mono.size(), static_cast<std::size_t>((from + kSeamSeconds) * song.sampleRate));
    double sum = 0.0;
    for (std::size_t i = first; i < last; ++i)
        sum += static_cast<double>(song.mono[i]) * song.mono[i];
    const double rms = last > first ? std::sqrt(sum / static_cast<double>(last - first)) : 0.0;
    return 20.0 * std::log10(std::max(rms, 1e-10));
}

std::string fixed(double value, int decimals)
{
    std::ostringstream text;
    text.precision(decimals);
    text << std::fixed << value;
    return text.str();
}

void checkWords(const DecodedSong& song, const std::vector<PoemPlay>& poem, std::vector<std::string>& faults)
{
    const OnsetDetector detector(song.mono, static_cast<unsigned>(song.sampleRate));
    for (std::size_t play = 0; play < poem.size(); ++play) {
        for (std::size_t n = 0; n < poem[play].words.size(); ++n) {
            const TimedWord& word = poem[play].words[n];
            const std::optional<double> onset = detector.onsetNear(word.time, kOnsetSearch);
            if (onset && std::abs(*onset - word.time) <= kOnsetTolerance)
                continue;
            std::ostringstream text;
            text << "play " << play + 1 << ", word " << n + 1 << " (\"" << word.word << "\") at " << word.time
                 << " s starts on no note (no onset within " << kOnsetTolerance * 1000 << " ms; ";
            if (onset)
                text << "the nearest is " << fixed((*onset - word.time) * 1000, 0) << " ms off)";
            else
                text << "none within " << kOnsetSearch * 1000 << " ms)";
            faults.push_back(text.str());
        }
    }
}

} // namespace

std::vector<std::string> songTimingFaults(const std::string& file, double loopToMs,
                                          const std::vector<PoemPlay>& poem)
{
    std::vector<std::string> faults;
    sf::InputSoundFile input;
    // songFault already says what is wrong with a file that is none.
    if (!notAFile(file).empty() || !input.openFromFile(file) || input.getChannelCount() == 0 ||
        input.getSampleRate() == 0)
        return faults;
    DecodedSong song;
    decode(input, song);

    const double length = static_cast<double>(song.mono.size()) / song.sampleRate;
    if (song.mono.size() != static_cast<std::size_t>(std::llround(kScoreSeconds * song.sampleRate)))
        faults.push_back("lasts " + fixed(length, 3) + " s; the score lasts " + fixed(kScoreSeconds, 0) + " s");
    const double loopTo = loopToMs / 1000.0;
    if (std::fmod(loopTo, kBarSeconds) != 0.0)
        faults.push_back("loopTo " + fixed(loopToMs, 0) + " ms is not on a bar line (one every " +
                         fixed(kBarSeconds, 0) + " s)");
    if (song.peak > kPeakLimit)
        faults.push_back("peaks at " + fixed(20.0 * std::log10(song.peak), 1) + " dBFS, above -1 dBFS");
    const double endLevel = seamLevelDb(song, length - kSeamSeconds);
    const double loopLevel = loopTo > 0.0 ? seamLevelDb(song, loopTo - kSeamSeconds) : -100.0;
    if (std::max(endLevel, loopLevel) >= kSeamLimitDb)
        faults.push_back("the loop's join is not silent (" + fixed(endLevel, 1) + " dBFS over the last " +
                         fixed(kSeamSeconds, 1) + " s, " + fixed(loopLevel, 1) + " dBFS before loopTo)");
    checkWords(song, poem, faults);
    return faults;
}
