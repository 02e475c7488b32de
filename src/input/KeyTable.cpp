#include "input/KeyTable.h"

#include <algorithm>
#include <iterator>

namespace {
constexpr std::string_view kSettingNames[kKeyActionCount] = {
    "key_up",    "key_down",  "key_left",   "key_right",  "key_fire",
    "key_hover", "key_pause", "key_freeze", "key_catchup"};
}  // namespace

const KeyTable& DefaultKeys() {
    using namespace scancode;
    static const KeyTable keys = {
        {kUp, KeyAction::Up},       {kDown, KeyAction::Down}, {kLeft, KeyAction::Left},
        {kRight, KeyAction::Right}, {kZ, KeyAction::Fire},    {kSpace, KeyAction::Fire},
        {kReturn, KeyAction::Fire}, {kX, KeyAction::Hover},   {kC, KeyAction::Pause},
        {kV, KeyAction::Freeze},    {kB, KeyAction::CatchUp},
    };
    return keys;
}

std::string_view SettingName(KeyAction action) {
    return kSettingNames[static_cast<int>(action)];
}

KeyTable Rebind(const KeyTable& table, KeyAction action, std::span<const int> scancodes) {
    KeyTable result;
    std::copy_if(table.begin(), table.end(), std::back_inserter(result),
                 [action](const KeyBinding& b) { return b.action != action; });
    for (int code : scancodes)
        result.push_back({code, action});
    return result;
}
