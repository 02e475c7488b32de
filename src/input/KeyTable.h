#pragma once
// The keyboard: one table of which key does what. The settings file can
// replace the keys of any action.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The directions first, then the buttons in PadButton's order.
enum class KeyAction : uint8_t { Up, Down, Left, Right, Fire, Hover, Pause, Freeze, CatchUp };
constexpr int kKeyActionCount = 9;

// Keys are scancodes: the USB HID keyboard usage numbers, which SDL's
// SDL_Scancode values are too (the platform checks that they agree).
namespace scancode {
constexpr int kB = 5, kC = 6, kV = 25, kX = 27, kZ = 29;
constexpr int kReturn = 40, kSpace = 44, kPeriod = 55;
constexpr int kHome = 74, kPageUp = 75, kDelete = 76, kPageDown = 78;
constexpr int kRight = 79, kLeft = 80, kDown = 81, kUp = 82;
constexpr int kKeypadEnter = 88;
}  // namespace scancode

struct KeyBinding {
    int scancode;
    KeyAction action;
};
using KeyTable = std::vector<KeyBinding>;

const KeyTable& DefaultKeys();
// The action's name in the settings file ("key_fire").
std::string_view SettingName(KeyAction action);
// The table with the keys of one action replaced.
KeyTable Rebind(const KeyTable& table, KeyAction action, std::span<const int> scancodes);

// How keys are named for people (the platform's names, "Left Shift").
struct KeyNames {
    std::function<int(const std::string&)> scancode;  // 0 for an unknown name
    std::function<std::string(int)> name;
};
