#pragma once
// How raw keyboard and controller readings fold into PadState records.
#include "input/PadState.h"

// The keys the game reads.
enum class Key { Up, Down, Left, Right, Z, Space, Return, X, C, V, B, E, D, S, F, Count };

struct KeyboardReading {
    bool held[static_cast<int>(Key::Count)] = {};
    bool& operator[](Key k) { return held[static_cast<int>(k)]; }
    bool operator[](Key k) const { return held[static_cast<int>(k)]; }
};

// One controller: axes in -1000..+1000, the first four buttons.
struct PadReading {
    int x = 0, y = 0;
    bool buttons[4] = {};
};

constexpr int kPadRecordCount = 16;
constexpr int kAxisRange = 1000;

// The stick curve: dead zone within ±200, full deflection from ±800.
float StickCurve(int v);
// ORs the keyboard into a record and adds its axes (up wins over down, left over right).
void ApplyKeyboard(const KeyboardReading& keys, PadState& pad);
// ORs one controller into a record and adds its stick through the curve.
void ApplyPad(const PadReading& reading, PadState& pad);
