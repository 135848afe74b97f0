#pragma once

// The nineteen easing curves every animation of the game runs on. A curve is picked by an
// id; note the gap: sine-out and sine-in-out are 111 and 112, not 17 and 18.
enum EaseType : int {
    Linear = 0,
    SineIn = 1,
    BounceOut = 2,
    BounceIn = 3,
    CubicIn = 4,
    CubicOut = 5,
    CubicInOut = 6,
    BounceInOut = 7,
    BackIn = 8,
    BackOut = 9,
    BackInOut = 10,
    CircIn = 11,
    CircOut = 12,
    CircInOut = 13,
    ExpoIn = 14,
    ExpoOut = 15,
    ExpoInOut = 16,
    SineOut = 111,
    SineInOut = 112,
};

// True for the nineteen ids above.
bool isValidEaseType(int type);

// Value of curve `type` at time t (seconds) of a motion of duration d from b, changing by c.
// Not clamped: t beyond d extrapolates. An unknown id returns b.
float ease(int type, float t, float b, float c, float d);
