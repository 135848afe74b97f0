#pragma once

// Where a time of the film falls at a fixed frame rate, counted as the film renderer counts:
// times are seconds after the opening scene's first frame (the black lead-in comes before
// them, at negative times), and frame indices count from the lead-in's first frame, 0. The
// picture of frame n is the one drawn by the (n + 1)th call of the frame function.
class FilmFrames {
public:
    // `fps` frames a second, at least 1.
    explicit FilmFrames(int fps);

    int fps() const { return m_fps; }
    // The fixed frame time, seconds, as the frame function gets it.
    float dt() const { return m_dt; }
    // Frames the lead-in lasts: it hands over on the first frame whose summed time exceeds
    // its length, so the opening's first frame has this index.
    long leadInFrames() const { return m_leadIn; }
    // The frame shown at `time` (the nearest; never before frame 0).
    long frameAt(double time) const;
    // The time of frame `frame`.
    double timeOf(long frame) const;

private:
    int m_fps;
    float m_dt;
    long m_leadIn;
};
