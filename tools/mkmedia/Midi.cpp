#include "Midi.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace mkmedia {

namespace midi {

namespace {
void VarLen(std::vector<uint8_t>& out, uint32_t v) {
    uint8_t buf[5];
    int n = 0;
    buf[n++] = v & 0x7F;
    while (v >>= 7)
        buf[n++] = static_cast<uint8_t>((v & 0x7F) | 0x80);
    while (n)
        out.push_back(buf[--n]);
}

void Be(std::vector<uint8_t>& out, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

std::vector<uint8_t> Meta(uint8_t type, const std::string& text) {
    std::vector<uint8_t> b{0xFF, type};
    VarLen(b, static_cast<uint32_t>(text.size()));
    b.insert(b.end(), text.begin(), text.end());
    return b;
}

void Chunk(std::ofstream& out, const char* id, const std::vector<uint8_t>& body) {
    std::vector<uint8_t> head(id, id + 4);
    Be(head, static_cast<uint32_t>(body.size()), 4);
    out.write(reinterpret_cast<const char*>(head.data()),
              static_cast<std::streamsize>(head.size()));
    out.write(reinterpret_cast<const char*>(body.data()),
              static_cast<std::streamsize>(body.size()));
}
}  // namespace

void Track::Program(uint32_t tick, int program) {
    events.push_back(
        {tick, 0, {static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program)}});
}

void Track::Control(uint32_t tick, int controller, int value) {
    events.push_back({tick,
                      0,
                      {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
                       static_cast<uint8_t>(std::clamp(value, 0, 127))}});
}

void Track::Note(uint32_t tick, uint32_t length, int key, int velocity) {
    if (length == 0 || key < 0 || key > 127) return;
    uint8_t k = static_cast<uint8_t>(key), v = static_cast<uint8_t>(std::clamp(velocity, 1, 127));
    events.push_back({tick, 2, {static_cast<uint8_t>(0x90 | channel), k, v}});
    events.push_back({tick + length, 1, {static_cast<uint8_t>(0x80 | channel), k, 0}});
    lastOff = std::max(lastOff, tick + length);
}

std::vector<uint8_t> Track::Encode(uint32_t endTick) const {
    std::vector<Event> sorted = events;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    std::vector<uint8_t> body;
    VarLen(body, 0);
    std::vector<uint8_t> title = Meta(0x03, name);
    body.insert(body.end(), title.begin(), title.end());
    uint32_t now = 0;
    for (const Event& e : sorted) {
        VarLen(body, e.tick - now);
        now = e.tick;
        body.insert(body.end(), e.bytes.begin(), e.bytes.end());
    }
    VarLen(body, endTick - now);
    body.insert(body.end(), {0xFF, 0x2F, 0x00});
    return body;
}

void Song::Tempo(uint32_t tick, double bpm) {
    tempos.push_back({tick, static_cast<uint32_t>(std::lround(60000000.0 / bpm))});
}

Track& Song::AddTrack(const std::string& name, int channel, int program, int volume, int pan,
                      int reverb) {
    tracks.emplace_back(name, channel);
    Track& t = tracks.back();
    t.Control(0, 121, 0);  // reset controllers
    if (channel != kDrumChannel) t.Program(0, program);
    t.Control(0, 7, volume);
    t.Control(0, 10, pan);
    t.Control(0, 91, reverb);
    return t;
}

bool Song::Write(const std::string& path, uint32_t endTick) const {
    for (const Track& t : tracks) {
        if (t.LastNoteOff() > endTick) return false;
    }
    std::vector<uint8_t> header;
    Be(header, 1, 2);
    Be(header, static_cast<uint32_t>(tracks.size() + 1), 2);
    Be(header, kTicksPerQuarter, 2);
    std::vector<uint8_t> conductor;
    VarLen(conductor, 0);
    std::vector<uint8_t> name = Meta(0x03, title);
    conductor.insert(conductor.end(), name.begin(), name.end());
    VarLen(conductor, 0);
    conductor.insert(conductor.end(), {0xFF, 0x58, 0x04, 4, 2, 24, 8});  // 4/4
    uint32_t now = 0;
    for (const auto& [tick, micros] : tempos) {
        VarLen(conductor, tick - now);
        now = tick;
        conductor.insert(conductor.end(), {0xFF, 0x51, 0x03});
        Be(conductor, micros, 3);
    }
    VarLen(conductor, endTick - now);
    conductor.insert(conductor.end(), {0xFF, 0x2F, 0x00});

    std::ofstream out(path, std::ios::binary);
    Chunk(out, "MThd", header);
    Chunk(out, "MTrk", conductor);
    for (const Track& t : tracks)
        Chunk(out, "MTrk", t.Encode(endTick));
    return static_cast<bool>(out);
}

}  // namespace midi

}  // namespace mkmedia
