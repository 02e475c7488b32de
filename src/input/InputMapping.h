#pragma once
// How raw keyboard and controller readings fold into the PadState.
#include <cstdint>
#include <span>

#include "input/KeyTable.h"
#include "input/PadState.h"

// One controller: the stick's axes in -1000..+1000, the D-pad and the buttons.
struct PadReading {
    int x = 0, y = 0;
    bool up = false, down = false, left = false, right = false;
    bool buttons[kButtonCount] = {};
};

constexpr int kAxisRange = 1000;

// An axis from two opposite keys: full deflection, the negative one winning.
float AxisFrom(bool negative, bool positive);
// The stick curve: dead zone within ±200, full deflection from ±800.
float StickCurve(int v);
// ORs the keys of the table that are held (held[scancode] non-zero) into the
// state and adds their axes (up wins over down, left over right).
void ApplyKeyboard(const KeyTable& keys, std::span<const uint8_t> held, PadState& pad);
// ORs a controller into the state and adds its stick through the curve and its
// D-pad like the keyboard's arrows.
void ApplyPad(const PadReading& reading, PadState& pad);
