#pragma once

#include "core/FilmOrder.hpp"

// Where a time of the film falls at a fixed frame rate, counted as the film renderer counts:
// times are seconds after the opening scene's first frame (the black lead-in comes before
// them, at negative times), and frame indices count from the lead-in's first frame, 0. The
// picture of frame n is the one drawn by the (n + 1)th call of the frame function.
class FilmFrames {
public:
    // The film's times, seconds: a fresh start shows the lead-in from kStart, and the film
    // quits at kEnd by its table (a few frames later: each scene hands over on the frame
    // after its last stage).
    static constexpr double kStart = film::kStart;
    static constexpr double kEnd = film::kEnd;

    // `fps` frames a second, at least 1.
    explicit FilmFrames(int fps);

    int fps() const { return m_fps; }
    // The fixed frame time, seconds, as the frame function gets it.
    float dt() const { return m_dt; }
    // Frames the lead-in lasts: it hands over on the first frame whose summed time exceeds
    // its length, so the opening's first frame has this index.
    long leadInFrames() const { return m_leadIn; }
    // The frame shown at a fresh start, the one at kStart (frame 0 comes a moment before it).
    long firstFrame() const;
    // The frame shown at `time`: the nearest, never before firstFrame() (nor for a time that
    // is no number), and never overflowing for a huge time.
    long frameAt(double time) const;
    // The time of frame `frame`.
    double timeOf(long frame) const;

private:
    int m_fps;
    float m_dt;
    long m_leadIn;
};
