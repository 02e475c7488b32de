#include "PadText.h"

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

PadState PadFromText(const std::string& line) {
    PadState pad;
    for (char c : line) {
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
