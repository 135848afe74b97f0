#pragma once

#include <string>
#include <vector>

// What the music tests need of a Standard MIDI File: when each note starts and on which
// channel, and which program each channel plays.
struct MidiNote {
    int channel;     // 1 to 16
    int key;         // MIDI note number, 60 = middle C
    int velocity;    // 1 to 127
    double seconds;  // start, from the beginning of the file
};

struct MidiProgram {
    int channel;  // 1 to 16
    int program;  // 0 to 127, General MIDI numbering from 0
    double seconds;
};

struct MidiNotes {
    std::vector<MidiNote> notes;  // every note-on with a velocity above 0, sorted by time
    std::vector<MidiProgram> programs;
};

// Reads a MIDI file of format 0 or 1 with a ticks-per-crotchet division, following its tempo
// changes. Returns false and sets `error` when the file cannot be read or is malformed.
bool readMidiNotes(const std::string& path, MidiNotes& result, std::string& error);
