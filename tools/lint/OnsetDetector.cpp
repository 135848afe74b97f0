#include "OnsetDetector.hpp"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

// 1024 samples (23 ms at 44.1 kHz) per frame, a frame every 64 samples (1.45 ms: the
// resolution of the onset times), each compared with the frame 8 hops (11.6 ms) before it.
constexpr std::size_t kFrameSize = 1024;
constexpr long kHop = 64;
constexpr long kLag = 8;
// Bands of a third of an octave from 2 kHz up to half the sample rate.
constexpr double kLowestFrequency = 2000.0;
constexpr double kBandsPerOctave = 3.0;
// Band energies are floored at -60 dB (a sine of amplitude 0.001), so that near-silence and
// the codec's noise in empty bands do not count as rises.
constexpr double kFloorDb = -60.0;
// The background is the median onset strength over this many seconds either side; a peak
// must be kSalience times that, and a rise of at least kMinimumRise dB summed over the bands,
// to be an onset.
constexpr double kContext = 0.5;
constexpr double kSalience = 3.0;
constexpr double kMinimumRise = 6.0;
constexpr double kPi = 3.14159265358979323846;

// In-place radix-2 FFT of a power-of-two length.
void transform(std::vector<std::complex<double>>& data)
{
    const std::size_t n = data.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j)
            std::swap(data[i], data[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const std::complex<double> step = std::polar(1.0, -2.0 * kPi / static_cast<double>(length));
        for (std::size_t start = 0; start < n; start += length) {
            std::complex<double> twiddle = 1.0;
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> even = data[start + k];
                const std::complex<double> odd = data[start + k + length / 2] * twiddle;
                data[start + k] = even + odd;
                data[start + k + length / 2] = even - odd;
                twiddle *= step;
            }
        }
    }
}

double median(std::vector<double> values)
{
    const auto middle = values.begin() + static_cast<long>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

} // namespace

OnsetDetector::OnsetDetector(const std::vector<float>& mono, unsigned sampleRate)
    : m_samples(mono), m_sampleRate(sampleRate), m_window(kFrameSize), m_buffer(kFrameSize)
{
    for (std::size_t i = 0; i < kFrameSize; ++i)
        m_window[i] = 0.5 - 0.5 * std::cos(2.0 * kPi * static_cast<double>(i) / kFrameSize);

    const double binWidth = m_sampleRate / kFrameSize;
    const std::size_t topBin = kFrameSize / 2;
    for (double frequency = kLowestFrequency; frequency / binWidth < topBin;
         frequency *= std::pow(2.0, 1.0 / kBandsPerOctave)) {
        const auto bin = static_cast<std::size_t>(std::lround(frequency / binWidth));
        if (m_bandEdges.empty() || bin > m_bandEdges.back())
            m_bandEdges.push_back(bin);
    }
    m_bandEdges.push_back(topBin + 1);
}

std::optional<double> OnsetDetector::onsetNear(double seconds, double searchRadius) const
{
    std::vector<double> strength;
    std::vector<double> times;
    strengthCurve(seconds - kContext, seconds + kContext, strength, times);

    std::size_t first = strength.size();
    std::size_t last = 0;
    std::size_t best = strength.size();
    for (std::size_t i = 0; i < strength.size(); ++i) {
        if (std::abs(times[i] - seconds) > searchRadius)
            continue;
        first = std::min(first, i);
        last = std::max(last, i);
        if (best == strength.size() || strength[i] > strength[best])
            best = i;
    }
    if (best == strength.size() || best == first || best == last)
        return std::nullopt;
    if (strength[best] < kMinimumRise || strength[best] < kSalience * median(strength))
        return std::nullopt;
    return times[best];
}

void OnsetDetector::strengthCurve(double from, double to, std::vector<double>& strength,
                                  std::vector<double>& times) const
{
    // Frames start on multiples of the hop, so every call sees the same frames. A rise
    // compares frame k with frame k - kLag; its time is midway between their centres.
    const double halfSpan = (kFrameSize + kLag * kHop) / 2.0;
    const auto firstFrame = static_cast<long>(std::ceil((from * m_sampleRate - halfSpan) / kHop)) + kLag;
    const auto lastFrame = static_cast<long>(std::floor((to * m_sampleRate - halfSpan) / kHop)) + kLag;
    strength.clear();
    times.clear();
    if (lastFrame < firstFrame)
        return;

    std::vector<std::vector<double>> levels(static_cast<std::size_t>(lastFrame - firstFrame + 1 + kLag));
    for (std::size_t i = 0; i < levels.size(); ++i)
        bandLevels((firstFrame - kLag + static_cast<long>(i)) * kHop, levels[i]);
    for (long frame = firstFrame; frame <= lastFrame; ++frame) {
        const std::vector<double>& now = levels[static_cast<std::size_t>(frame - firstFrame + kLag)];
        const std::vector<double>& before = levels[static_cast<std::size_t>(frame - firstFrame)];
        double rise = 0.0;
        for (std::size_t band = 0; band < now.size(); ++band)
            rise += std::max(0.0, now[band] - before[band]);
        strength.push_back(rise);
        times.push_back(((frame - kLag) * kHop + halfSpan) / m_sampleRate);
    }
}

void OnsetDetector::bandLevels(long firstSample, std::vector<double>& levels) const
{
    for (std::size_t i = 0; i < kFrameSize; ++i) {
        const long index = firstSample + static_cast<long>(i);
        const bool inside = index >= 0 && index < static_cast<long>(m_samples.size());
        m_buffer[i] = inside ? m_window[i] * m_samples[static_cast<std::size_t>(index)] : 0.0;
    }
    transform(m_buffer);

    // A sine of amplitude a peaks at a·N/4 under the Hann window: scaled so, a band holding
    // one sine reads about 20·log10(a) dB.
    const double toAmplitude = 4.0 / kFrameSize;
    const double floor = std::pow(10.0, kFloorDb / 10.0);
    levels.assign(m_bandEdges.size() - 1, 0.0);
    for (std::size_t band = 0; band + 1 < m_bandEdges.size(); ++band) {
        double energy = 0.0;
        for (std::size_t bin = m_bandEdges[band]; bin < m_bandEdges[band + 1]; ++bin)
            energy += std::norm(m_buffer[bin] * toAmplitude);
        levels[band] = 10.0 * std::log10(energy + floor);
    }
}
