#pragma once
// The keyboard: one table of which key does what. The settings file can
// replace the keys of any action.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/PadState.h"

// The directions first, then the buttons in PadButton's order.
enum class KeyAction : uint8_t {
    Up,
    Down,
    Left,
    Right,
    Fire,
    Hover,
    Pause,
    Freeze,
    CatchUp,
    Focus
};
constexpr int kKeyActionCount = 10;

// The action a pad button stands for.
constexpr KeyAction ButtonAction(PadButton button) {
    return static_cast<KeyAction>(static_cast<int>(KeyAction::Fire) + button);
}

// Keys are scancodes: the USB HID keyboard usage numbers, which SDL's
// SDL_Scancode values are too (the platform checks that they agree).
namespace scancode {
constexpr int kB = 5, kC = 6, kV = 25, kX = 27, kZ = 29;
constexpr int kReturn = 40, kEscape = 41, kSpace = 44, kPeriod = 55, kF11 = 68;
constexpr int kHome = 74, kPageUp = 75, kDelete = 76, kPageDown = 78;
constexpr int kRight = 79, kLeft = 80, kDown = 81, kUp = 82;
constexpr int kKeypadEnter = 88, kLeftShift = 225, kLeftAlt = 226, kRightShift = 229,
              kRightAlt = 230;
}  // namespace scancode

struct KeyBinding {
    int scancode;
    KeyAction action;
    bool operator==(const KeyBinding&) const = default;
};
using KeyTable = std::vector<KeyBinding>;

const KeyTable& DefaultKeys();
// The action's name in the settings file ("key_fire").
std::string_view SettingName(KeyAction action);
// The action as the screens name it ("CATCH UP").
std::string_view ActionLabel(KeyAction action);
// The table with the keys of one action replaced. Tables keep their actions in
// order, each action's keys in the order they were given.
KeyTable Rebind(const KeyTable& table, KeyAction action, std::span<const int> scancodes);
// Esc leaves the game, F11 and Alt+Enter switch full screen: no action may have them.
bool IsReservedKey(int scancode);

// How keys are named for people (the platform's names, "Left Shift").
struct KeyNames {
    std::function<int(const std::string&)> scancode;  // 0 for an unknown name
    std::function<std::string(int)> name;             // empty for a key without one
};
// Names for runs without a platform: "Key 29" for scancode 29.
KeyNames NumberedKeyNames();

// The keys of one action as the settings file lists them ("Z, Space, Return").
std::string KeyListText(const KeyTable& table, KeyAction action, const KeyNames& names);

// A list of key names read: the keys that can be used, in order and each once,
// and the names that cannot, as written.
struct KeyListReading {
    std::vector<int> scancodes;
    std::vector<std::string> unknown, reserved;
};
KeyListReading ReadKeyList(std::string_view list, const KeyNames& names);
