#pragma once
// How raw keyboard and controller readings fold into the PadState.
#include <cstdint>
#include <span>

#include "input/KeyTable.h"
#include "input/PadState.h"
#include "input/PadTable.h"

// One controller: the stick's axes in -1000..+1000, the D-pad and the buttons.
struct PadReading {
    int x = 0, y = 0;
    bool up = false, down = false, left = false, right = false;
    bool buttons[kButtonCount] = {};
};

constexpr int kAxisRange = 1000;

// A stick within ±kStickDeadZone of its centre holds no direction.
constexpr int kStickDeadZone = 200;

// ORs the keys of the table that are held (held[scancode] non-zero) into the state.
void ApplyKeyboard(const KeyTable& keys, std::span<const uint8_t> held, PadState& pad);
// Presses the reading's buttons of every binding whose controller button is
// held (held[button] non-zero).
void PressBoundButtons(const PadTable& table, std::span<const uint8_t> held, PadReading& reading);
// ORs a controller into the state: its stick past the dead zone and its D-pad
// as directions, its buttons as the game's.
void ApplyPad(const PadReading& reading, PadState& pad);
