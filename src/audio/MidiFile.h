#pragma once
#include <string>

// The outline of a Standard MIDI File, checked before a synthesiser gets it:
// header, format, every track chunk that the header announces, whole, and every
// event in them. Files that would make the synthesiser's work per block of
// sound unbounded are refused too: too many tracks, a tempo no music has, or
// more events in a tenth of a second than any piece plays.
struct MidiOutline {
    bool valid = false;
    // Why the file was refused, for a message.
    std::string problem;
    // Ticks per quarter note; 0 when the file counts in SMPTE frames.
    int ticksPerQuarter = 0;
    // Ticks per second for SMPTE timing; 0 otherwise.
    int ticksPerSecond = 0;
};

MidiOutline ReadMidiOutline(const std::string& bytes);
