#pragma once

// How a scene ends when it ends in black: it shows for `showFor` seconds, then starts the
// screen's fade to black over `fadeFor` seconds and hands over `handOverAfter` seconds after
// the fade began. Like every stage of a scene, each of the two ends on the first frame its
// timer passes its length; the timer then restarts from exactly 0 (the rest of that frame is
// dropped), so a frame, however long, ends one of them at most.
class FadeOutEnding {
public:
    FadeOutEnding(float showFor, float fadeFor, float handOverAfter);
    // Hands over as the fade ends.
    FadeOutEnding(float showFor, float fadeFor)
        : FadeOutEnding(showFor, fadeFor, fadeFor)
    {
    }

    // One frame of `dt` seconds: true from the frame on which the scene hands over.
    bool handsOver(float dt);

    // The seconds since the scene (or its fade) began, and whether the fade has started.
    float timer() const { return m_timer; }
    bool fading() const { return m_fading; }

private:
    float m_showFor;
    float m_fadeFor;
    float m_handOverAfter;
    float m_timer = 0.0f;
    bool m_fading = false;
};
