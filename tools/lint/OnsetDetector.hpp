#pragma once

#include <complex>
#include <cstddef>
#include <optional>
#include <vector>

// Finds where notes begin in a recording: the lint hears with it whether each sung word of
// the poem still starts on a note of the song. The recording is cut into short overlapping
// frames; each frame's Fourier magnitudes are summed into bands a third of an octave wide,
// from 2 kHz up, and a frame's onset strength is how far the bands' levels (in dB) rose
// since a frame 11.6 ms earlier, falls counting as 0. A struck piano string throws a burst
// of energy across those bands, while held strings and pads, which make most of their sound
// lower down and change it slowly, barely move them.
class OnsetDetector {
public:
    // `mono`: the recording as one channel of samples in -1..1; the detector keeps a reference.
    OnsetDetector(const std::vector<float>& mono, unsigned sampleRate);

    // The onset nearest to `seconds` within `searchRadius` seconds either side: the strongest
    // peak of onset strength there, in seconds from the start. None when that stretch holds no
    // peak that stands out from the onset strength of the second around it, or when its
    // strongest value lies on its edge (the flank of a note outside the stretch).
    std::optional<double> onsetNear(double seconds, double searchRadius) const;

private:
    // Onset strength for the rises that lie in [from, to] seconds, and the time of each rise:
    // midway between the centres of the two frames compared.
    void strengthCurve(double from, double to, std::vector<double>& strength, std::vector<double>& times) const;
    // Band levels in dB of the frame starting at `firstSample` (zeros beyond the recording).
    void bandLevels(long firstSample, std::vector<double>& levels) const;

    const std::vector<float>& m_samples;
    double m_sampleRate;
    std::vector<double> m_window;
    std::vector<std::size_t> m_bandEdges;  // FFT bins; band b spans [edge b, edge b + 1)
    mutable std::vector<std::complex<double>> m_buffer;
};
