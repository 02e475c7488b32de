#include "input/PadTable.h"

#include <algorithm>

#include "input/NameList.h"
#include "util/StringUtil.h"

namespace {
constexpr std::string_view kButtonNames[] = {"A",
                                             "B",
                                             "X",
                                             "Y",
                                             "Back",
                                             "Guide",
                                             "Start",
                                             "LeftStick",
                                             "RightStick",
                                             "LeftShoulder",
                                             "RightShoulder",
                                             "DPadUp",
                                             "DPadDown",
                                             "DPadLeft",
                                             "DPadRight",
                                             "Misc1",
                                             "Paddle1",
                                             "Paddle2",
                                             "Paddle3",
                                             "Paddle4",
                                             "Touchpad"};
constexpr std::string_view kSettingNames[] = {"pad_fire",   "pad_hover",   "pad_pause",
                                              "pad_freeze", "pad_catchup", "pad_focus"};
// A name left out would be read as empty: one for every button and every action.
static_assert(std::size(kButtonNames) == kControllerButtonCount &&
              std::size(kSettingNames) == kButtonCount);

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return AsciiLower(x) == AsciiLower(y);
           });
}
}  // namespace

const PadTable& DefaultPad() {
    using enum ControllerButton;
    static const PadTable pad = {
        {A, kButtonFire},
        {B, kButtonHover},
        {X, kButtonPause},
        {Start, kButtonPause},
        {Y, kButtonFreeze},
        {Back, kButtonCatchUp},
        {RightShoulder, kButtonFocus},
    };
    return pad;
}

std::string_view PadSettingName(PadButton action) {
    return kSettingNames[action];
}

std::string_view ButtonName(ControllerButton button) {
    return kButtonNames[static_cast<int>(button)];
}

std::optional<ControllerButton> ButtonNamed(std::string_view name) {
    for (int b = 0; b < kControllerButtonCount; ++b) {
        if (SameLetters(name, kButtonNames[b])) return static_cast<ControllerButton>(b);
    }
    return std::nullopt;
}

PadTable Rebind(const PadTable& table, PadButton action,
                std::span<const ControllerButton> buttons) {
    PadTable result = table;
    std::erase_if(result, [action](const PadBinding& b) { return b.action == action; });
    for (ControllerButton button : buttons)
        result.push_back({button, action});
    std::stable_sort(result.begin(), result.end(),
                     [](const PadBinding& a, const PadBinding& b) { return a.action < b.action; });
    return result;
}

bool MovesTheShip(ControllerButton button) {
    using enum ControllerButton;
    return button == DPadUp || button == DPadDown || button == DPadLeft || button == DPadRight;
}

std::string ButtonListText(const PadTable& table, PadButton action) {
    std::vector<std::string> list;
    for (const PadBinding& binding : table) {
        if (binding.action == action) list.emplace_back(ButtonName(binding.button));
    }
    return JoinNames(list);
}

ButtonListReading ReadButtonList(std::string_view list) {
    ButtonListReading reading;
    for (const std::string& name : SplitNames(list)) {
        std::optional<ControllerButton> button = ButtonNamed(name);
        if (!button) {
            reading.unknown.push_back(name);
        } else if (MovesTheShip(*button)) {
            reading.moving.push_back(name);
        } else if (std::find(reading.buttons.begin(), reading.buttons.end(), *button) ==
                   reading.buttons.end()) {
            reading.buttons.push_back(*button);
        }
    }
    return reading;
}
