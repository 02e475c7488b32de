#include "audio/MidiFile.h"

#include <cstdint>

namespace {

uint32_t BigEndian(const std::string& d, size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | static_cast<uint8_t>(d[at + i]);
    return v;
}

}  // namespace

MidiOutline ReadMidiOutline(const std::string& bytes) {
    MidiOutline outline;
    if (bytes.size() < 14 || bytes.compare(0, 4, "MThd") != 0) return outline;
    uint32_t headerLength = BigEndian(bytes, 4, 4);
    uint32_t format = BigEndian(bytes, 8, 2), tracks = BigEndian(bytes, 10, 2);
    uint32_t division = BigEndian(bytes, 12, 2);
    if (headerLength < 6 || format > 2 || tracks == 0 || division == 0) return outline;
    // Chunks of other kinds may sit between the tracks; they are skipped.
    size_t at = 8 + static_cast<size_t>(headerLength);
    uint32_t found = 0;
    while (found < tracks) {
        if (at > bytes.size() || bytes.size() - at < 8) return outline;
        size_t length = BigEndian(bytes, at + 4, 4);
        if (bytes.size() - at - 8 < length) return outline;
        if (bytes.compare(at, 4, "MTrk") == 0) ++found;
        at += 8 + length;
    }
    if (division & 0x8000) {
        // SMPTE: frames per second (stored negative) times ticks per frame.
        int framesPerSecond = 256 - static_cast<int>(division >> 8);
        outline.ticksPerSecond = framesPerSecond * static_cast<int>(division & 0xFF);
        if (outline.ticksPerSecond == 0) return outline;
    } else {
        outline.ticksPerQuarter = static_cast<int>(division);
    }
    outline.valid = true;
    return outline;
}
