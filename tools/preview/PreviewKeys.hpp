#pragma once

#include <array>

// The preview's keys as its help overlay (H or F1) lists them; docs/preview.md says the same.
struct KeyHelp {
    const char* keys;
    const char* what;
};

inline constexpr std::array<KeyHelp, 20> kPreviewKeys = {{
    {"Space", "pause and play; at the end, play again from the start"},
    {"Left / Right", "5 s back or forward"},
    {"Shift + Left / Right", "1 s back or forward"},
    {"Comma / Period", "one frame back or forward, while paused"},
    {"Page Up / Page Down", "the previous or next scene's first frame"},
    {"Home", "the start, as a fresh start shows it"},
    {"T", "type a time to go to, then Enter (Escape cancels)"},
    {"[ / ]", "slower or faster: 1/4, 1/2, 1 or 2 times"},
    {"I / O", "mark the loop's start or end at the frame shown"},
    {"L", "loop between the marks, or stop looping"},
    {"X", "clear the loop's marks"},
    {"E", "export the loop's range as loop_<in>-<out>.mp4, in the background"},
    {"S", "save the frame shown as frame_<time>.png in the game folder"},
    {"M", "mute or unmute the song"},
    {"C", "clean view: hide the text and the bar, or show them"},
    {"H / F1", "show or hide this list"},
    {"Escape", "quit (also during a build, which it stops)"},
    {"Click or drag the bar", "go there; the film follows the pointer"},
    {"Point at the bar", "shows the time under the pointer"},
    {"Edit a watched file", "reloads; sources are built first (docs/preview.md)"},
}};
