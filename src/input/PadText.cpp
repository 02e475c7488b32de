#include "input/PadText.h"

#include <charconv>
#include <istream>
#include <ostream>

namespace {

struct Key {
    char letter;
    bool PadState::*direction;
    int button;
};

constexpr Key kKeys[] = {
    {'U', &PadState::up, -1},     {'D', &PadState::down, -1},    {'L', &PadState::left, -1},
    {'R', &PadState::right, -1},  {'Z', nullptr, kButtonFire},   {'X', nullptr, kButtonHover},
    {'C', nullptr, kButtonPause}, {'V', nullptr, kButtonFreeze}, {'B', nullptr, kButtonCatchUp},
    {'S', nullptr, kButtonFocus},
};

bool& Held(PadState& pad, const Key& key) {
    return key.direction ? pad.*key.direction : pad.buttons[key.button];
}

}  // namespace

std::string PadToText(const PadState& pad) {
    std::string text;
    PadState copy = pad;
    for (const Key& key : kKeys) {
        if (Held(copy, key)) text += key.letter;
    }
    return text;
}

PadState PadFromText(std::string_view text) {
    PadState pad;
    // Older recordings wrote where the stick stood after an '@'; nothing reads it now.
    for (char c : text.substr(0, text.find('@'))) {
        for (const Key& key : kKeys) {
            if (c == key.letter) Held(pad, key) = true;
        }
    }
    return pad;
}

void AppendSteps(std::vector<PadRun>& runs, const PadState& pad, long n) {
    if (!runs.empty() && runs.back().pad == pad) {
        runs.back().steps += n;
    } else {
        runs.push_back({n, pad});
    }
}

long CountSteps(const std::vector<PadRun>& runs) {
    long steps = 0;
    for (const PadRun& run : runs)
        steps += run.steps;
    return steps;
}

bool PadRunFromText(std::string_view line, PadRun& run) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::size_t digits = line.find_first_not_of("0123456789");
    if (digits == std::string_view::npos) digits = line.size();
    run.steps = 1;
    if (digits > 0) {
        auto [end, error] = std::from_chars(line.data(), line.data() + digits, run.steps);
        if (error != std::errc() || run.steps < 1) return false;
        if (digits < line.size() && line[digits] != ' ') return false;
        line.remove_prefix(digits < line.size() ? digits + 1 : digits);
    }
    run.pad = PadFromText(line);
    return true;
}

std::vector<PadRun> ReadPadRuns(std::istream& in, long maxSteps) {
    std::vector<PadRun> runs;
    long steps = 0;
    PadRun run{};
    for (std::string line; std::getline(in, line);) {
        if (!PadRunFromText(line, run) || run.steps > maxSteps - steps) break;
        steps += run.steps;
        runs.push_back(run);
    }
    return runs;
}

void WritePadRuns(std::ostream& out, const std::vector<PadRun>& runs) {
    for (const PadRun& run : runs)
        out << run.steps << ' ' << PadToText(run.pad) << '\n';
}
