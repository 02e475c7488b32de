#include "audio/MidiFile.h"

#include <algorithm>
#include <cstdint>
#include <queue>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr std::uint32_t kMaxTracks = 256;
// 60,000 beats a minute; real music stays far below.
constexpr std::uint32_t kMinTempo = 1000;
constexpr double kWindowSeconds = 0.1;
// A dense piece for a full orchestra plays a few hundred events in that time.
constexpr std::uint32_t kMaxEventsPerWindow = 1000;

std::uint32_t BigEndian(std::string_view d, size_t at, int n) {
    std::uint32_t v = 0;
    for (int i = 0; i < n; ++i)
        v = (v << 8) | static_cast<std::uint8_t>(d[at + i]);
    return v;
}

// Walks the events of one track chunk.
class TrackReader {
public:
    explicit TrackReader(std::string_view track) : data(track) {}

    // The next event's tick and, for a tempo event, its microseconds per
    // quarter (else 0). False at the end of the track or at a broken event.
    bool Next(std::uint64_t& tick, std::uint32_t& tempo) {
        if (at >= data.size() || ended) return false;
        std::uint32_t delta = 0;
        if (!Number(delta)) return Broken();
        tick += delta;
        tempo = 0;
        if (at >= data.size()) return Broken();
        std::uint8_t status = static_cast<std::uint8_t>(data[at]);
        if (status >= 0x80) {
            ++at;
        } else if (running == 0) {
            return Broken();  // running status with nothing to run on
        } else {
            status = running;
        }
        std::uint32_t length = 0;
        if (status == 0xFF) {
            if (at >= data.size()) return Broken();
            std::uint8_t type = static_cast<std::uint8_t>(data[at++]);
            if (!Number(length) || data.size() - at < length) return Broken();
            if (type == 0x51 && length == 3) tempo = BigEndian(data, at, 3);
            if (type == 0x2F) ended = true;
            running = 0;
        } else if (status == 0xF0 || status == 0xF7) {
            if (!Number(length) || data.size() - at < length) return Broken();
            running = 0;
        } else if (status >= 0xF0) {
            return Broken();  // system messages have no place in a file
        } else {
            length = (status & 0xF0) == 0xC0 || (status & 0xF0) == 0xD0 ? 1 : 2;
            if (data.size() - at < length) return Broken();
            running = status;
        }
        at += length;
        return true;
    }
    bool IsBroken() const { return broken; }

private:
    // A variable-length number: at most four bytes of seven bits.
    bool Number(std::uint32_t& value) {
        value = 0;
        for (int i = 0; i < 4 && at < data.size(); ++i) {
            std::uint8_t b = static_cast<std::uint8_t>(data[at++]);
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80)) return true;
        }
        return false;
    }
    bool Broken() {
        broken = true;
        return false;
    }

    std::string_view data;
    size_t at = 0;
    std::uint8_t running = 0;
    bool ended = false, broken = false;
};

using TempoChanges = std::vector<std::pair<std::uint64_t, std::uint32_t>>;

// One track's events in time: seconds at each tick through the tempo changes
// (tick, microseconds per quarter), which hold for every track.
class TimedTrack {
public:
    TimedTrack(std::string_view data, const TempoChanges& changes, const MidiOutline& outline)
        : reader(data), changes(changes), outline(outline) {}

    // Moves to the next event; false at the end of the track.
    bool Next() {
        std::uint32_t tempoHere = 0;
        if (!reader.Next(tick, tempoHere)) return false;
        if (outline.ticksPerSecond > 0) {
            seconds = static_cast<double>(tick) / outline.ticksPerSecond;
            return true;
        }
        while (next < changes.size() && changes[next].first <= tick) {
            fromSeconds += Span(changes[next].first);
            fromTick = changes[next].first;
            tempo = changes[next].second;
            ++next;
        }
        seconds = fromSeconds + Span(tick);
        return true;
    }
    double Seconds() const { return seconds; }

private:
    double Span(std::uint64_t to) const {
        return static_cast<double>(to - fromTick) * tempo / 1e6 / outline.ticksPerQuarter;
    }

    TrackReader reader;
    const TempoChanges& changes;
    const MidiOutline& outline;
    std::uint64_t tick = 0, fromTick = 0;
    size_t next = 0;
    double seconds = 0, fromSeconds = 0;
    std::uint32_t tempo = 500000;  // 120 beats a minute until the file says otherwise
};

MidiOutline Refuse(MidiOutline outline, const char* problem) {
    outline.valid = false;
    outline.problem = problem;
    return outline;
}

}  // namespace

MidiOutline ReadMidiOutline(const std::string& file) {
    MidiOutline outline;
    std::string_view bytes = file;
    if (bytes.size() < 14 || bytes.substr(0, 4) != "MThd") return Refuse(outline, "not MIDI");
    std::uint32_t headerLength = BigEndian(bytes, 4, 4);
    std::uint32_t format = BigEndian(bytes, 8, 2), tracks = BigEndian(bytes, 10, 2);
    std::uint32_t division = BigEndian(bytes, 12, 2);
    if (headerLength < 6 || format > 2 || tracks == 0 || division == 0)
        return Refuse(outline, "a broken header");
    if (tracks > kMaxTracks) return Refuse(outline, "too many tracks");
    if (division & 0x8000) {
        // SMPTE: frames per second (stored negative) times ticks per frame.
        int framesPerSecond = 256 - static_cast<int>(division >> 8);
        outline.ticksPerSecond = framesPerSecond * static_cast<int>(division & 0xFF);
        if (outline.ticksPerSecond == 0) return Refuse(outline, "a broken header");
    } else {
        outline.ticksPerQuarter = static_cast<int>(division);
    }
    // Chunks of other kinds may sit between the tracks; they are skipped.
    std::vector<std::string_view> trackData;
    for (size_t at = 8 + static_cast<size_t>(headerLength); trackData.size() < tracks;) {
        if (at > bytes.size() || bytes.size() - at < 8) return Refuse(outline, "tracks missing");
        size_t length = BigEndian(bytes, at + 4, 4);
        if (bytes.size() - at - 8 < length) return Refuse(outline, "a track cut short");
        if (bytes.substr(at, 4) == "MTrk") trackData.push_back(bytes.substr(at + 8, length));
        at += 8 + length;
    }

    TempoChanges tempos;
    for (std::string_view track : trackData) {
        TrackReader reader(track);
        std::uint64_t tick = 0;
        std::uint32_t tempo = 0;
        while (reader.Next(tick, tempo)) {
            if (tempo == 0) continue;
            if (tempo < kMinTempo) return Refuse(outline, "a tempo no music has");
            tempos.emplace_back(tick, tempo);
        }
        if (reader.IsBroken()) return Refuse(outline, "a broken event");
    }
    // The events of all tracks in the order they sound, counted in windows of
    // a tenth of a second.
    std::stable_sort(tempos.begin(), tempos.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<TimedTrack> timed;
    for (std::string_view track : trackData)
        timed.emplace_back(track, tempos, outline);
    auto later = [&timed](size_t a, size_t b) { return timed[a].Seconds() > timed[b].Seconds(); };
    std::priority_queue<size_t, std::vector<size_t>, decltype(later)> due(later);
    for (size_t i = 0; i < timed.size(); ++i) {
        if (timed[i].Next()) due.push(i);
    }
    std::uint64_t window = 0;
    std::uint32_t inWindow = 0;
    while (!due.empty()) {
        size_t i = due.top();
        due.pop();
        auto at = static_cast<std::uint64_t>(timed[i].Seconds() / kWindowSeconds);
        inWindow = at == window ? inWindow + 1 : 1;
        window = at;
        if (inWindow > kMaxEventsPerWindow)
            return Refuse(outline, "more events at once than any music plays");
        if (timed[i].Next()) due.push(i);
    }
    outline.valid = true;
    return outline;
}
