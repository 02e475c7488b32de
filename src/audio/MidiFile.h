#pragma once
#include <string>

// The outline of a Standard MIDI File, checked before a synthesiser gets it:
// header, format, and every track chunk that the header announces, whole.
struct MidiOutline {
    bool valid = false;
    // Ticks per quarter note; 0 when the file counts in SMPTE frames.
    int ticksPerQuarter = 0;
    // Ticks per second for SMPTE timing; 0 otherwise.
    int ticksPerSecond = 0;
};

MidiOutline ReadMidiOutline(const std::string& bytes);
