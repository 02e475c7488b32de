#include "input/PadText.h"

#include <charconv>
#include <cstdio>
#include <istream>
#include <ostream>

#include "input/InputMapping.h"

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
};

bool& Held(PadState& pad, const Key& key) {
    return key.direction ? pad.*key.direction : pad.buttons[key.button];
}

bool ParseFloat(std::string_view text, float& value) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::string PadToText(const PadState& pad) {
    std::string text;
    PadState copy = pad;
    for (const Key& key : kKeys) {
        if (Held(copy, key)) text += key.letter;
    }
    if (pad.axisX != AxisFrom(pad.left, pad.right) || pad.axisY != AxisFrom(pad.up, pad.down)) {
        char axes[48];
        std::snprintf(axes, sizeof axes, "@%.9g,%.9g", pad.axisX, pad.axisY);
        text += axes;
    }
    return text;
}

PadState PadFromText(std::string_view text) {
    PadState pad;
    std::string_view keys = text.substr(0, text.find('@'));
    for (char c : keys) {
        for (const Key& key : kKeys) {
            if (c == key.letter) Held(pad, key) = true;
        }
    }
    pad.axisX = AxisFrom(pad.left, pad.right);
    pad.axisY = AxisFrom(pad.up, pad.down);
    if (keys.size() < text.size()) {
        std::string_view axes = text.substr(keys.size() + 1);
        std::size_t comma = axes.find(',');
        float x, y;
        if (comma != std::string_view::npos && ParseFloat(axes.substr(0, comma), x) &&
            ParseFloat(axes.substr(comma + 1), y)) {
            pad.axisX = x;
            pad.axisY = y;
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

std::vector<PadRun> ReadPadRuns(std::istream& in, long maxSteps) {
    std::vector<PadRun> runs;
    long steps = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::size_t digits = line.find_first_not_of("0123456789");
        if (digits == std::string::npos) digits = line.size();
        long count = 1;
        if (digits > 0) {
            auto [end, error] = std::from_chars(line.data(), line.data() + digits, count);
            if (error != std::errc() || count < 1) break;
            if (digits < line.size() && line[digits] != ' ') break;
        }
        if (count > maxSteps - steps) break;
        steps += count;
        std::string_view text(line);
        text.remove_prefix(digits < line.size() && digits > 0 ? digits + 1 : digits);
        runs.push_back({count, PadFromText(text)});
    }
    return runs;
}

void WritePadRuns(std::ostream& out, const std::vector<PadRun>& runs) {
    for (const PadRun& run : runs)
        out << run.steps << ' ' << PadToText(run.pad) << '\n';
}
