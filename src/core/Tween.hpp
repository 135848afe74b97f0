#pragma once

// One animated value: a start and an end, a duration, a delay and a curve (see Easing.hpp).
// A plain value kept inside its owner; the owner copies `current` to wherever it is used.
struct Tween {
    int type = 0;           // EaseType id
    float elapsed = 0.0f;   // seconds since the delay ran out
    float from = 0.0f;
    float to = 0.0f;
    float change = 0.0f;    // to - from, kept so it is not recomputed every frame
    float duration = 0.0f;  // seconds
    bool active = false;
    float current = 0.0f;   // the last value produced
    float delay = 0.0f;     // seconds still to wait before elapsed grows

    // Loads the values and rewinds (elapsed 0, current = from); leaves `active` as it was.
    void set(float from, float to, float duration, int type, float delay);
    // Starts (or resumes) the motion from wherever elapsed and delay stand.
    void play();
    // set() followed by play().
    void start(float from, float to, float duration, int type, float delay);
    // Counts the delay down (clamped at 0, the rest of dt is dropped), or else grows elapsed.
    void advance(float dt);
    // Recomputes current; at elapsed >= duration current is exactly `to` and the tween stops.
    float evaluate();
    // When active: advance(dt), then evaluate(). When inactive, current keeps its value.
    void update(float dt);
};
