#include "Score.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

namespace mkmedia {

namespace score {

namespace {
int PitchClass(char letter) {
    static const int kClasses[7] = {9, 11, 0, 2, 4, 5, 7};  // a..g
    return letter >= 'a' && letter <= 'g' ? kClasses[letter - 'a'] : -1;
}

std::vector<std::string> Tokens(std::string_view text) {
    std::istringstream in{std::string(text)};
    std::vector<std::string> out;
    for (std::string t; in >> t;)
        out.push_back(t);
    return out;
}

// Sixteenth-note steps the chords last.
uint32_t StepCount(const std::vector<Chord>& chords) {
    uint32_t total = 0;
    for (const Chord& c : chords)
        total += static_cast<uint32_t>(c.beats) * 4;
    return total;
}

// The chord's root in the octave from lowest up.
int RootFrom(const Chord& c, int lowest) {
    return lowest + ((c.root - lowest) % 12 + 12) % 12;
}

const Chord& ChordAt(const std::vector<Chord>& chords, uint32_t step) {
    uint32_t end = 0;
    for (const Chord& c : chords) {
        end += static_cast<uint32_t>(c.beats) * 4;
        if (step < end) return c;
    }
    return chords.back();
}

// Steps a note holds: itself and the '-' after it.
uint32_t Held(std::string_view steps, size_t i, uint32_t total, uint32_t s) {
    uint32_t n = 1;
    while (s + n < total && steps[(i + n) % steps.size()] == '-')
        ++n;
    return n;
}
}  // namespace

int Pitch(std::string_view name) {
    if (name.empty()) return -1;
    int pc = PitchClass(name[0]);
    if (pc < 0) return -1;
    size_t i = 1;
    if (i < name.size() && name[i] == '#')
        ++pc, ++i;
    else if (i < name.size() && name[i] == 'b')
        --pc, ++i;
    if (i >= name.size()) return -1;
    for (size_t k = i; k < name.size(); ++k) {
        if (name[k] < '0' || name[k] > '9') return -1;
    }
    int octave = std::atoi(std::string(name.substr(i)).c_str());
    return 12 * (octave + 1) + pc;
}

void Writer::Check(bool ok, const std::string& what) {
    if (!ok && error.empty()) error = what;
}

void Writer::Melody(midi::Track& t, uint32_t at, int bars, std::string_view notes, int velocity,
                    int transpose, int shift, const std::vector<int>& scale) {
    uint32_t step = 0, length = 4;
    for (const std::string& tok : Tokens(notes)) {
        size_t colon = tok.find(':');
        std::string name = tok.substr(0, colon);
        if (colon != std::string::npos)
            length = static_cast<uint32_t>(std::atoi(tok.c_str() + colon + 1));
        Check(length > 0, "melody: bad length in " + tok);
        if (name != "r") {
            int key = Pitch(name);
            Check(key >= 0, "melody: bad note " + tok);
            if (shift != 0 && !scale.empty()) {
                // Walk along the scale; notes outside it move by a minor third.
                int pc = ((key % 12) + 12) % 12;
                auto it = std::find(scale.begin(), scale.end(), pc);
                if (it == scale.end()) {
                    key += shift > 0 ? 3 : -3;
                } else {
                    int idx = static_cast<int>(it - scale.begin()),
                        n = static_cast<int>(scale.size());
                    int target = idx + shift;
                    int octaves = target >= 0 ? target / n : -((-target + n - 1) / n);
                    int wrapped = target - octaves * n;
                    key += scale[wrapped] - pc + 12 * octaves;
                }
            }
            int accent = step % static_cast<uint32_t>(beatSteps) == 0 ? 6 : 0;
            uint32_t ticks = length * kStep;
            t.Note(at + step * kStep, ticks - std::min<uint32_t>(ticks / 10, 30), key + transpose,
                   velocity + accent);
        }
        step += length;
    }
    const int want = bars * barSteps;
    std::string what = "melody fills ";
    what.append(std::to_string(step)).append(" steps, not ").append(std::to_string(want));
    Check(step == static_cast<uint32_t>(want), what.append(": ").append(notes.substr(0, 40)));
}

std::vector<Chord> Writer::Chords(std::string_view text, int bars) {
    std::vector<Chord> out;
    int beats = 0;
    for (const std::string& tok : Tokens(text)) {
        Chord c;
        size_t colon = tok.find(':');
        if (colon != std::string::npos) c.beats = std::atoi(tok.c_str() + colon + 1);
        std::string name = tok.substr(0, colon);
        int pc = PitchClass(static_cast<char>(std::tolower(name[0])));
        Check(pc >= 0, "chord: bad root " + tok);
        size_t i = 1;
        if (i < name.size() && name[i] == '#')
            ++pc, ++i;
        else if (i < name.size() && name[i] == 'b')
            --pc, ++i;
        c.root = (pc + 12) % 12;
        std::string q = name.substr(i);
        if (q.empty())
            c.tones = {0, 4, 7};
        else if (q == "m")
            c.tones = {0, 3, 7};
        else if (q == "7")
            c.tones = {0, 4, 7, 10};
        else if (q == "m7")
            c.tones = {0, 3, 7, 10};
        else if (q == "maj7")
            c.tones = {0, 4, 7, 11};
        else if (q == "sus4")
            c.tones = {0, 5, 7};
        else if (q == "dim")
            c.tones = {0, 3, 6};
        else if (q == "5")
            c.tones = {0, 7};
        else
            Check(false, "chord: unknown quality " + tok);
        beats += c.beats;
        out.push_back(c);
    }
    Check(!out.empty() && beats * 4 == bars * barSteps,
          "chords do not fill their bars: " + std::string(text));
    if (out.empty()) out.push_back({0, {0, 4, 7}, 4});
    return out;
}

void Writer::Bass(midi::Track& t, uint32_t at, const std::vector<Chord>& chords,
                  std::string_view steps, int velocity, int lowest) {
    uint32_t total = StepCount(chords);
    for (uint32_t s = 0; s < total; ++s) {
        char ch = steps[s % steps.size()];
        const Chord& c = ChordAt(chords, s);
        int root = RootFrom(c, lowest);
        int key = -1;
        if (ch == 'R')
            key = root;
        else if (ch == 'r')
            key = root + 12;
        else if (ch == '3')
            key = root + c.tones[1];
        else if (ch == '5')
            key = root + c.tones[std::min<size_t>(2, c.tones.size() - 1)];
        if (key < 0) continue;
        uint32_t held = Held(steps, s % steps.size(), total, s);
        int accent = s % static_cast<uint32_t>(beatSteps) == 0 ? 8 : 0;
        t.Note(at + s * kStep, held * kStep - kStep / 4, key, velocity + accent);
    }
}

void Writer::Arpeggio(midi::Track& t, uint32_t at, const std::vector<Chord>& chords,
                      std::string_view steps, int velocity, int lowest) {
    uint32_t total = StepCount(chords);
    for (uint32_t s = 0; s < total; ++s) {
        char ch = steps[s % steps.size()];
        if (ch < '0' || ch > '9') continue;
        const Chord& c = ChordAt(chords, s);
        int root = RootFrom(c, lowest);
        int i = ch - '0', n = static_cast<int>(c.tones.size());
        int key = root + c.tones[i % n] + 12 * (i / n);
        uint32_t held = Held(steps, s % steps.size(), total, s);
        t.Note(at + s * kStep, held * kStep - kStep / 8, key,
               velocity + (s % static_cast<uint32_t>(beatSteps) == 0 ? 6 : 0));
    }
}

std::vector<int> Writer::Voice(const Chord& c, int lowest) {
    std::vector<int> best;
    int bestCost = 1 << 30;
    size_t n = c.tones.size();
    for (size_t r = 0; r < n; ++r) {
        std::vector<int> v;
        int prev = lowest - 1;
        for (size_t k = 0; k < n; ++k) {
            int pc = (c.root + c.tones[(r + k) % n]) % 12;
            int key = prev + 1 + ((pc - (prev + 1)) % 12 + 12) % 12;
            v.push_back(key);
            prev = key;
        }
        int cost = 0;
        if (lastVoicing.empty()) {
            cost = v.front() - lowest;
        } else {
            for (size_t k = 0; k < v.size(); ++k) {
                cost += std::abs(v[k] - lastVoicing[std::min(k, lastVoicing.size() - 1)]);
            }
        }
        if (cost < bestCost) {
            bestCost = cost;
            best = v;
        }
    }
    lastVoicing = best;
    return best;
}

void Writer::Pad(midi::Track& t, uint32_t at, const std::vector<Chord>& chords, int velocity,
                 int lowest) {
    uint32_t tick = at;
    for (const Chord& c : chords) {
        uint32_t len = static_cast<uint32_t>(c.beats) * 4 * kStep;
        for (int key : Voice(c, lowest))
            t.Note(tick, len - kStep / 4, key, velocity);
        tick += len;
    }
}

void Writer::Hits(midi::Track& t, uint32_t at, const std::vector<Chord>& chords,
                  std::string_view steps, int velocity, int lowest) {
    uint32_t total = StepCount(chords);
    const Chord* last = nullptr;
    std::vector<int> voicing;
    for (uint32_t s = 0; s < total; ++s) {
        if (steps[s % steps.size()] != 'x') continue;
        const Chord& c = ChordAt(chords, s);
        if (&c != last) voicing = Voice(c, lowest);
        last = &c;
        uint32_t held = Held(steps, s % steps.size(), total, s);
        for (int key : voicing)
            t.Note(at + s * kStep, held * kStep - kStep / 4, key, velocity);
    }
}

void Writer::Drums(midi::Track& t, uint32_t at, int bars, const std::vector<Drum>& kit,
                   int velocity) {
    const uint32_t total = static_cast<uint32_t>(bars * barSteps);
    for (const Drum& d : kit) {
        for (uint32_t s = 0; s < total; ++s) {
            char ch = d.steps[s % d.steps.size()];
            int v = ch == 'X'   ? velocity + 20
                    : ch == 'x' ? velocity
                    : ch == 'o' ? velocity - 30
                                : 0;
            if (v > 0) t.Note(at + s * kStep, kStep, d.key, v);
        }
    }
}

void Writer::Section(midi::Track& t, uint32_t at, int bars, const Groove& g, bool withCrash) {
    Drums(t, at, bars - 1, g.beat, g.velocity);
    Drums(t, at + Bar(bars - 1), 1, g.fill, g.velocity);
    if (withCrash) Drums(t, at, 1, g.crash, g.crashVelocity);
}

std::string Times(std::string_view notes, int times) {
    std::string out;
    for (int i = 0; i < times; ++i)
        out.append(notes).append(" ");
    return out;
}

}  // namespace score

}  // namespace mkmedia
