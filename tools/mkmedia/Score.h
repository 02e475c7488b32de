#pragma once
// A small score notation for the music, written against a bar grid of
// sixteenth-note steps.
//
//   melody  "e5:4 a5:4 g5:2 r:2 ..."  note (letter, # or b, octave) or r for a
//           rest, then its length in sixteenths (repeated when left out)
//   chords  "Am F C G7 Bb:2 E:2"      one per bar, or ":beats"; qualities
//           m 7 m7 maj7 sus4 dim 5
//   steps   "R-r-5-R-"                 one character per sixteenth, repeated
//           per bar: bass R root, r octave, 3 third, 5 fifth; arpeggio digits
//           index the chord's tones upward; drums X loud, x normal, o soft;
//           chord hits x; - holds the note before, . is silence
#include <string>
#include <string_view>
#include <vector>

#include "Midi.h"

namespace mkmedia {

namespace score {

constexpr uint32_t kStep = midi::kTicksPerQuarter / 4;
constexpr uint32_t kBar = 16 * kStep;

struct Chord {
    int root = 0;            // pitch class
    std::vector<int> tones;  // semitones above the root
    int beats = 4;
};

// Collects the first mistake in the written music; the piece is not written then.
class Writer {
public:
    // Sixteenths to a beat and to a bar: 4 and 16 unless a piece says
    // otherwise (3 and 12 for a triplet feel, each step an eighth-note triplet).
    void Meter(int beat, int bar) { beatSteps = beat, barSteps = bar; }
    uint32_t Bar(int n) const { return static_cast<uint32_t>(n * barSteps) * kStep; }

    void Check(bool ok, const std::string& what);
    bool Ok() const { return error.empty(); }
    const std::string& Error() const { return error; }

    // A line of melody from `at`; it must fill exactly `bars`. `shift` moves
    // every note that many steps along `scale` (pitch classes), for a second voice.
    void Melody(midi::Track& t, uint32_t at, int bars, std::string_view notes, int velocity,
                int transpose = 0, int shift = 0, const std::vector<int>& scale = {});
    std::vector<Chord> Chords(std::string_view text, int bars);

    void Bass(midi::Track& t, uint32_t at, const std::vector<Chord>& chords, std::string_view steps,
              int velocity, int lowest = 28);
    void Arpeggio(midi::Track& t, uint32_t at, const std::vector<Chord>& chords,
                  std::string_view steps, int velocity, int lowest = 57);
    // Sustained chords, each voiced close to the one before.
    void Pad(midi::Track& t, uint32_t at, const std::vector<Chord>& chords, int velocity,
             int lowest = 55);
    // The pad's voicing struck on the steps marked x.
    void Hits(midi::Track& t, uint32_t at, const std::vector<Chord>& chords, std::string_view steps,
              int velocity, int lowest = 55);

    struct Drum {
        int key;
        std::string_view steps;
    };
    void Drums(midi::Track& t, uint32_t at, int bars, const std::vector<Drum>& kit, int velocity);

    // A drummer's section: the beat in every bar but the last, which plays the
    // fill, and the crash (when there is one) over its first.
    struct Groove {
        std::vector<Drum> beat, fill, crash;
        int velocity = 90, crashVelocity = 96;
    };
    void Section(midi::Track& t, uint32_t at, int bars, const Groove& g, bool withCrash = true);

private:
    std::vector<int> Voice(const Chord& c, int lowest);
    std::string error;
    std::vector<int> lastVoicing;
    int beatSteps = 4, barSteps = 16;
};

using Kit = std::vector<Writer::Drum>;

inline uint32_t At(int bar) {
    return static_cast<uint32_t>(bar) * kBar;
}

// The notes written `times` times over, for a riff that repeats.
std::string Times(std::string_view notes, int times);

// General MIDI drum keys.
namespace drum {
enum : int {
    kKick = 36,
    kStick = 37,
    kSnare = 38,
    kClap = 39,
    kTomFloor = 41,
    kHat = 42,
    kPedalHat = 44,
    kTomLow = 45,
    kOpenHat = 46,
    kTomMid = 47,
    kCrash = 49,
    kTomHigh = 50,
    kRide = 51,
    kChina = 52,
    kRideBell = 53,
    kTambourine = 54,
    kCowbell = 56,
    kCrash2 = 57,
    kTriangle = 81
};
}  // namespace drum

// Pitch of a note name such as "c#5" (C4 = 60); -1 when it is not one.
int Pitch(std::string_view name);

}  // namespace score

}  // namespace mkmedia
