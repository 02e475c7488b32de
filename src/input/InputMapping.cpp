#include "input/InputMapping.h"

void ApplyKeyboard(const KeyTable& keys, std::span<const uint8_t> held, PadState& pad) {
    // The first actions are the directions, the rest the buttons in their order.
    constexpr int kDirections = 4;
    static_assert(static_cast<int>(KeyAction::Fire) == kDirections + kButtonFire &&
                  static_cast<int>(KeyAction::Focus) == kDirections + kButtonFocus &&
                  kKeyActionCount == kDirections + kButtonCount);
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
}

void PressBoundButtons(const PadTable& table, std::span<const uint8_t> held, PadReading& reading) {
    for (const PadBinding& binding : table) {
        auto button = static_cast<size_t>(binding.button);
        if (button < held.size() && held[button]) reading.buttons[binding.action] = true;
    }
}

void ApplyPad(const PadReading& reading, PadState& pad) {
    pad.up |= reading.y < -kStickDeadZone || reading.up;
    pad.down |= reading.y > kStickDeadZone || reading.down;
    pad.left |= reading.x < -kStickDeadZone || reading.left;
    pad.right |= reading.x > kStickDeadZone || reading.right;
    for (int i = 0; i < kButtonCount; ++i)
        pad.buttons[i] |= reading.buttons[i];
}
