#pragma once
// Standard MIDI Files (format 1): a conductor track with the tempo map and one
// track per part. Every track ends on the same tick, the end of the loop, and
// no note sounds past it, so a restart from 0 joins cleanly.
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace mkmedia {

namespace midi {

constexpr int kTicksPerQuarter = 480;
constexpr int kDrumChannel = 9;  // the tenth channel

class Track {
public:
    Track(std::string name, int channel) : name(std::move(name)), channel(channel) {}

    void Program(uint32_t tick, int program);
    void Control(uint32_t tick, int controller, int value);
    void Note(uint32_t tick, uint32_t length, int key, int velocity);
    int Channel() const { return channel; }
    // The last tick at which a note of this track still sounds.
    uint32_t LastNoteOff() const { return lastOff; }

    // The track chunk's body, ending with end-of-track at `endTick`.
    std::vector<uint8_t> Encode(uint32_t endTick) const;

private:
    struct Event {
        uint32_t tick;
        int order;  // at one tick: controls, then note-offs, then note-ons
        std::vector<uint8_t> bytes;
    };
    std::string name;
    int channel;
    std::vector<Event> events;
    uint32_t lastOff = 0;
};

class Song {
public:
    explicit Song(std::string title) : title(std::move(title)) {}

    void Tempo(uint32_t tick, double bpm);
    Track& AddTrack(const std::string& name, int channel, int program, int volume, int pan,
                    int reverb = 40);
    // Writes the file; false when a note runs past `endTick` or the file fails.
    bool Write(const std::string& path, uint32_t endTick) const;

private:
    std::string title;
    std::vector<std::pair<uint32_t, uint32_t>> tempos;  // tick, microseconds per quarter
    std::deque<Track> tracks;                           // stable references for AddTrack's callers
};

}  // namespace midi

}  // namespace mkmedia
