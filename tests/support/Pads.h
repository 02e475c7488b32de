#pragma once
#include <initializer_list>

#include "input/PadState.h"

// The keys of a step.
enum class Hold { Up, Down, Left, Right, Fire, Hover, Pause, Freeze, CatchUp, Focus };

inline PadState Pad(std::initializer_list<Hold> held = {}) {
    PadState pad;
    bool* keys[] = {&pad.up,
                    &pad.down,
                    &pad.left,
                    &pad.right,
                    &pad.buttons[kButtonFire],
                    &pad.buttons[kButtonHover],
                    &pad.buttons[kButtonPause],
                    &pad.buttons[kButtonFreeze],
                    &pad.buttons[kButtonCatchUp],
                    &pad.buttons[kButtonFocus]};
    for (Hold h : held)
        *keys[static_cast<int>(h)] = true;
    return pad;
}
