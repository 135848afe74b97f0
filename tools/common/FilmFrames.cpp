#include "FilmFrames.hpp"

#include "core/LoopScenes.hpp"

#include <algorithm>
#include <cmath>

FilmFrames::FilmFrames(int fps)
    : m_fps(std::max(1, fps))
    , m_dt(1.0f / static_cast<float>(m_fps))
    , m_leadIn(0)
{
    // Summed in float, as the lead-in's own timer sums it.
    float timer = 0.0f;
    do {
        timer += m_dt;
        ++m_leadIn;
    } while (!(timer > BlackLeadIn::kLength));
}

long FilmFrames::firstFrame() const
{
    return std::max(0L, m_leadIn + std::lround(kStart * m_fps));
}

long FilmFrames::frameAt(double time) const
{
    // Ten times the film's length is far past its end, and far from overflowing a long.
    constexpr double kFarPastTheEnd = 10.0 * kEnd;
    if (!(time > kStart))
        return firstFrame();
    return m_leadIn + std::lround(std::min(time, kFarPastTheEnd) * m_fps);
}

double FilmFrames::timeOf(long frame) const
{
    return static_cast<double>(frame - m_leadIn) / m_fps;
}
