#include "input/InputMapping.h"

float AxisFrom(bool negative, bool positive) {
    if (negative) return -1.0f;
    if (positive) return 1.0f;
    return 0.0f;
}

float StickCurve(int v) {
    if (v <= -800) return -1.0f;
    if (v < -200) return static_cast<float>(v + 200) / 600.0f;
    if (v <= 200) return 0.0f;
    if (v < 800) return static_cast<float>(v - 200) / 600.0f;
    return 1.0f;
}

void ApplyKeyboard(const KeyTable& keys, std::span<const uint8_t> held, PadState& pad) {
    // The first actions are the directions, the rest the buttons in their order.
    constexpr int kDirections = 4;
    static_assert(static_cast<int>(KeyAction::Fire) == kDirections + kButtonFire &&
                  static_cast<int>(KeyAction::CatchUp) == kDirections + kButtonCatchUp);
    bool direction[kDirections] = {};  // up, down, left, right
    for (const KeyBinding& key : keys) {
        if (key.scancode < 0 || static_cast<size_t>(key.scancode) >= held.size() ||
            !held[key.scancode]) {
            continue;
        }
        int action = static_cast<int>(key.action);
        if (action < kDirections) {
            direction[action] = true;
        } else {
            pad.buttons[action - kDirections] = true;
        }
    }
    auto [up, down, left, right] = direction;
    pad.up |= up;
    pad.down |= down;
    pad.left |= left;
    pad.right |= right;
    pad.axisY += AxisFrom(up, down);
    pad.axisX += AxisFrom(left, right);
}

void ApplyPad(const PadReading& reading, PadState& pad) {
    pad.up |= reading.y < -200 || reading.up;
    pad.down |= reading.y > 200 || reading.down;
    pad.left |= reading.x < -200 || reading.left;
    pad.right |= reading.x > 200 || reading.right;
    for (int i = 0; i < kButtonCount; ++i)
        pad.buttons[i] |= reading.buttons[i];
    pad.axisY += StickCurve(reading.y) + AxisFrom(reading.up, reading.down);
    pad.axisX += StickCurve(reading.x) + AxisFrom(reading.left, reading.right);
}
