#pragma once
// The game pad's buttons: one table of which button does what. The stick and
// the D-pad move; the settings file can replace the buttons of any action.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "input/PadState.h"

// A recognised controller's buttons, in the order SDL numbers them (the
// platform checks that they agree).
enum class ControllerButton : uint8_t {
    A,
    B,
    X,
    Y,
    Back,
    Guide,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DPadUp,
    DPadDown,
    DPadLeft,
    DPadRight,
    Misc1,
    Paddle1,
    Paddle2,
    Paddle3,
    Paddle4,
    Touchpad,
};
constexpr int kControllerButtonCount = 21;

struct PadBinding {
    ControllerButton button;
    PadButton action;
    bool operator==(const PadBinding&) const = default;
};
using PadTable = std::vector<PadBinding>;

// A fires, B hovers, X or Start pause, Y freezes, Back switches the catch-up.
const PadTable& DefaultPad();
// The action's name in the settings file ("pad_fire").
std::string_view PadSettingName(PadButton action);
// The button's name in the settings file and on the screens ("LeftShoulder").
std::string_view ButtonName(ControllerButton button);
// The button of a name, in any letter case.
std::optional<ControllerButton> ButtonNamed(std::string_view name);
// The table with the buttons of one action replaced, the actions in order.
PadTable Rebind(const PadTable& table, PadButton action, std::span<const ControllerButton> buttons);
// The D-pad moves the ship, as the stick does: no action may have it.
bool MovesTheShip(ControllerButton button);

// The buttons of one action as the settings file lists them ("X, Start").
std::string ButtonListText(const PadTable& table, PadButton action);

// A list of button names read: the buttons that can be used, in order and each
// once, and the names that cannot, as written.
struct ButtonListReading {
    std::vector<ControllerButton> buttons;
    std::vector<std::string> unknown, moving;
};
ButtonListReading ReadButtonList(std::string_view list);
