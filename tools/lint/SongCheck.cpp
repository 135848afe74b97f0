#include "SongCheck.hpp"

#include "core/FileCheck.hpp"

#include <SFML/Audio/InputSoundFile.hpp>

#include <iomanip>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kChunkSamples = 1 << 16;

// Seconds with one decimal, as a person reads a song's length.
std::string seconds(double value)
{
    std::ostringstream text;
    text.precision(1);
    text << std::fixed << value << " s";
    return text.str();
}

// How many samples decode before the decoder stops.
sf::Uint64 decodedSamples(sf::InputSoundFile& song)
{
    std::vector<sf::Int16> chunk(kChunkSamples);
    sf::Uint64 total = 0;
    for (;;) {
        const sf::Uint64 read = song.read(chunk.data(), chunk.size());
        if (read == 0)
            return total;
        total += read;
    }
}

double secondsOf(sf::Uint64 samples, const sf::InputSoundFile& song)
{
    const double perSecond = static_cast<double>(song.getSampleRate()) * song.getChannelCount();
    return perSecond > 0.0 ? static_cast<double>(samples) / perSecond : 0.0;
}

} // namespace

std::string songFault(const std::string& file, double loopToMs)
{
    // A named pipe would hang the open.
    const std::string refused = notAFile(file);
    if (!refused.empty())
        return file + " is " + refused;
    sf::InputSoundFile song;
    if (!song.openFromFile(file))
        return file + " does not open as audio";
    const double length = secondsOf(song.getSampleCount(), song);
    const sf::Uint64 decoded = decodedSamples(song);
    if (decoded < song.getSampleCount())
        return file + " stops decoding after " + seconds(secondsOf(decoded, song)) + " of " + seconds(length);
    if (loopToMs < 0.0 || loopToMs / 1000.0 >= length) {
        std::ostringstream text;
        text << std::fixed << std::setprecision(0) << "loopTo " << loopToMs << " ms lies outside the song ("
             << seconds(length) << ")";
        return text.str();
    }
    return "";
}
