#include "input/KeyTable.h"

#include <algorithm>
#include <charconv>
#include <iterator>

#include "input/NameList.h"
#include "util/StringUtil.h"

namespace {
constexpr std::string_view kSettingNames[] = {"key_up",      "key_down",  "key_left",  "key_right",
                                              "key_fire",    "key_hover", "key_pause", "key_freeze",
                                              "key_catchup", "key_focus"};
constexpr std::string_view kLabels[] = {"UP",    "DOWN",  "LEFT",   "RIGHT",    "FIRE",
                                        "HOVER", "PAUSE", "FREEZE", "CATCH UP", "FOCUS"};
// A name left out would be read as empty: each table has one for every action.
static_assert(std::size(kSettingNames) == kKeyActionCount && std::size(kLabels) == kKeyActionCount);
constexpr std::string_view kNumbered = "key ";
}  // namespace

const KeyTable& DefaultKeys() {
    using namespace scancode;
    static const KeyTable keys = {
        {kUp, KeyAction::Up},
        {kDown, KeyAction::Down},
        {kLeft, KeyAction::Left},
        {kRight, KeyAction::Right},
        {kZ, KeyAction::Fire},
        {kSpace, KeyAction::Fire},
        {kReturn, KeyAction::Fire},
        {kX, KeyAction::Hover},
        {kC, KeyAction::Pause},
        {kV, KeyAction::Freeze},
        {kB, KeyAction::CatchUp},
        {kLeftShift, KeyAction::Focus},
        {kRightShift, KeyAction::Focus},
    };
    return keys;
}

std::string_view SettingName(KeyAction action) {
    return kSettingNames[static_cast<int>(action)];
}

std::string_view ActionLabel(KeyAction action) {
    return kLabels[static_cast<int>(action)];
}

KeyTable Rebind(const KeyTable& table, KeyAction action, std::span<const int> scancodes) {
    KeyTable result;
    std::copy_if(table.begin(), table.end(), std::back_inserter(result),
                 [action](const KeyBinding& b) { return b.action != action; });
    for (int code : scancodes)
        result.push_back({code, action});
    std::stable_sort(result.begin(), result.end(),
                     [](const KeyBinding& a, const KeyBinding& b) { return a.action < b.action; });
    return result;
}

bool IsReservedKey(int code) {
    using namespace scancode;
    return code == kEscape || code == kF11 || code == kLeftAlt || code == kRightAlt;
}

KeyNames NumberedKeyNames() {
    return {[](const std::string& name) {
                std::string lower;
                for (char c : name)
                    lower += AsciiLower(c);
                if (lower.rfind(kNumbered, 0) != 0) return 0;
                int code = 0;
                const char* end = lower.data() + lower.size();
                auto [at, error] = std::from_chars(lower.data() + kNumbered.size(), end, code);
                return error == std::errc() && at == end && code > 0 ? code : 0;
            },
            [](int code) { return "Key " + std::to_string(code); }};
}

std::string KeyListText(const KeyTable& table, KeyAction action, const KeyNames& names) {
    std::vector<std::string> list;
    for (const KeyBinding& key : table) {
        if (key.action == action) list.push_back(names.name(key.scancode));
    }
    return JoinNames(list);
}

KeyListReading ReadKeyList(std::string_view list, const KeyNames& names) {
    KeyListReading reading;
    for (const std::string& name : SplitNames(list)) {
        int code = names.scancode(name);
        if (code <= 0) {
            reading.unknown.push_back(name);
        } else if (IsReservedKey(code)) {
            reading.reserved.push_back(name);
        } else if (std::find(reading.scancodes.begin(), reading.scancodes.end(), code) ==
                   reading.scancodes.end()) {
            reading.scancodes.push_back(code);
        }
    }
    return reading;
}
