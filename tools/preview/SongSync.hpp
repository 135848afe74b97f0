#pragma once

// Keeps the game's one song player at the film's time: the opening starts the song on its
// first frame, and the preview moves it on every seek, pause and replay.
class SongSync {
public:
    static constexpr double kMostDrift = 0.1;  // seconds the song may stray before it is moved

    // Puts the song at film time `time`, playing or paused. Before the opening (or when the
    // song never opened) it is silent.
    void follow(double time, bool paused);
    // While playing: moves the song back to `time` when it strayed more than kMostDrift (at
    // other speeds than 1, that many seconds of song).
    void keepInStep(double time);
    // Mutes the song (config.json's "music": false, a replay in a hurry, the viewer's M, a
    // speed the song cannot follow), or gives it its volume back.
    void silence(bool quiet);
    // Plays the song at `speed` times its pace (its pitch follows).
    void setSpeed(double speed);
    // Whether the song can follow the film at `speed`: from half to twice its pace.
    static bool follows(double speed) { return speed >= 0.5 && speed <= 2.0; }

private:
    // Kept for a player made after the speed was set (the opening makes it).
    float m_speed = 1.0f;
};

// The song's playing offset, in seconds, at film time `time`: the opening starts it from 0 on
// its first frame, and past its end (`songLength` seconds) it plays on from `loopStart` to
// the end again and again. 0 before the opening.
double songOffset(double time, double songLength, double loopStart);
