#include "PadText.h"

#include <algorithm>
#include <cctype>
#include <istream>
#include <ostream>

std::string PadToText(const PadState& pad) {
    std::string line;
    if (pad.up) line += 'U';
    if (pad.down) line += 'D';
    if (pad.left) line += 'L';
    if (pad.right) line += 'R';
    if (pad.Held(kButtonFire)) line += 'Z';
    if (pad.Held(kButtonHover)) line += 'X';
    if (pad.Held(kButtonPause)) line += 'C';
    return line;
}

PadState PadFromText(const std::string& keys) {
    PadState pad;
    for (char c : keys) {
        switch (c) {
            case 'U':
                pad.up = true;
                break;
            case 'D':
                pad.down = true;
                break;
            case 'L':
                pad.left = true;
                break;
            case 'R':
                pad.right = true;
                break;
            case 'Z':
                pad.buttons[kButtonFire] = true;
                break;
            case 'X':
                pad.buttons[kButtonHover] = true;
                break;
            case 'C':
                pad.buttons[kButtonPause] = true;
                break;
            default:
                break;  // anything else (a CR, a comment) holds nothing
        }
    }
    return pad;
}

std::vector<PadState> ReadInputs(std::istream& in) {
    // A day of play is more than any run needs; a larger count is not a recording.
    constexpr size_t kMostSteps = 60 * 60 * 60 * 24;
    std::vector<PadState> steps;
    for (std::string line; std::getline(in, line);) {
        size_t digits = 0;
        while (digits < line.size() && std::isdigit(static_cast<unsigned char>(line[digits])))
            ++digits;
        size_t count = digits ? std::stoul(line.substr(0, std::min<size_t>(digits, 9))) : 1;
        if (count > kMostSteps - steps.size()) break;
        steps.insert(steps.end(), count, PadFromText(line.substr(digits)));
    }
    return steps;
}

void WriteInputs(std::ostream& out, const std::vector<PadState>& steps) {
    for (size_t i = 0; i < steps.size();) {
        std::string keys = PadToText(steps[i]);
        size_t run = 1;
        while (i + run < steps.size() && PadToText(steps[i + run]) == keys)
            ++run;
        out << run << ' ' << keys << '\n';
        i += run;
    }
}
