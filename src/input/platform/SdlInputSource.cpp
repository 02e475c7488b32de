#include "input/platform/SdlInputSource.h"

#include <algorithm>

#include "input/Presses.h"

namespace {

// The key table names keys by their USB HID numbers, which SDL's scancodes are.
static_assert(scancode::kB == SDL_SCANCODE_B && scancode::kC == SDL_SCANCODE_C &&
              scancode::kV == SDL_SCANCODE_V && scancode::kX == SDL_SCANCODE_X &&
              scancode::kZ == SDL_SCANCODE_Z && scancode::kReturn == SDL_SCANCODE_RETURN &&
              scancode::kSpace == SDL_SCANCODE_SPACE && scancode::kRight == SDL_SCANCODE_RIGHT &&
              scancode::kLeft == SDL_SCANCODE_LEFT && scancode::kDown == SDL_SCANCODE_DOWN &&
              scancode::kUp == SDL_SCANCODE_UP && scancode::kEscape == SDL_SCANCODE_ESCAPE &&
              scancode::kF11 == SDL_SCANCODE_F11 && scancode::kLeftAlt == SDL_SCANCODE_LALT &&
              scancode::kRightAlt == SDL_SCANCODE_RALT &&
              scancode::kPeriod == SDL_SCANCODE_PERIOD && scancode::kHome == SDL_SCANCODE_HOME &&
              scancode::kPageUp == SDL_SCANCODE_PAGEUP &&
              scancode::kDelete == SDL_SCANCODE_DELETE &&
              scancode::kPageDown == SDL_SCANCODE_PAGEDOWN &&
              scancode::kKeypadEnter == SDL_SCANCODE_KP_ENTER);

// The pad table names buttons by SDL's numbers for them.
constexpr bool SameNumber(ControllerButton ours, SDL_GameControllerButton sdls) {
    return static_cast<int>(ours) == static_cast<int>(sdls);
}
static_assert(SameNumber(ControllerButton::A, SDL_CONTROLLER_BUTTON_A) &&
              SameNumber(ControllerButton::B, SDL_CONTROLLER_BUTTON_B) &&
              SameNumber(ControllerButton::X, SDL_CONTROLLER_BUTTON_X) &&
              SameNumber(ControllerButton::Y, SDL_CONTROLLER_BUTTON_Y) &&
              SameNumber(ControllerButton::Back, SDL_CONTROLLER_BUTTON_BACK) &&
              SameNumber(ControllerButton::Guide, SDL_CONTROLLER_BUTTON_GUIDE) &&
              SameNumber(ControllerButton::Start, SDL_CONTROLLER_BUTTON_START) &&
              SameNumber(ControllerButton::LeftStick, SDL_CONTROLLER_BUTTON_LEFTSTICK) &&
              SameNumber(ControllerButton::RightStick, SDL_CONTROLLER_BUTTON_RIGHTSTICK) &&
              SameNumber(ControllerButton::LeftShoulder, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) &&
              SameNumber(ControllerButton::RightShoulder, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) &&
              SameNumber(ControllerButton::DPadUp, SDL_CONTROLLER_BUTTON_DPAD_UP) &&
              SameNumber(ControllerButton::DPadDown, SDL_CONTROLLER_BUTTON_DPAD_DOWN) &&
              SameNumber(ControllerButton::DPadLeft, SDL_CONTROLLER_BUTTON_DPAD_LEFT) &&
              SameNumber(ControllerButton::DPadRight, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) &&
              SameNumber(ControllerButton::Misc1, SDL_CONTROLLER_BUTTON_MISC1) &&
              SameNumber(ControllerButton::Paddle1, SDL_CONTROLLER_BUTTON_PADDLE1) &&
              SameNumber(ControllerButton::Paddle4, SDL_CONTROLLER_BUTTON_PADDLE4) &&
              SameNumber(ControllerButton::Touchpad, SDL_CONTROLLER_BUTTON_TOUCHPAD) &&
              kControllerButtonCount == SDL_CONTROLLER_BUTTON_MAX);

int ScaleAxis(Sint16 v) {
    return std::clamp(v * kAxisRange / 32767, -kAxisRange, kAxisRange);
}

}  // namespace

SdlInputSource::SdlInputSource(SDL_Window* window, KeyTable keys, PadTable pad)
    : window(window), keys(std::move(keys)), pad(std::move(pad)) {
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    RefreshDevices();
}

SdlInputSource::~SdlInputSource() {
    for (auto& d : devices) {
        if (d.controller) {
            SDL_GameControllerClose(d.controller);
        } else {
            SDL_JoystickClose(d.joystick);
        }
    }
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlInputSource::SetBindings(KeyTable newKeys, PadTable newPad) {
    keys = std::move(newKeys);
    pad = std::move(newPad);
}

void SdlInputSource::RefreshDevices() {
    // Drop what was unplugged, keep the attach order of the rest.
    std::erase_if(devices, [](const Device& d) {
        if (SDL_JoystickGetAttached(d.joystick)) return false;
        if (d.controller) {
            SDL_GameControllerClose(d.controller);
        } else {
            SDL_JoystickClose(d.joystick);
        }
        return true;
    });
    int count = SDL_NumJoysticks();
    for (int i = 0; i < count; ++i) {
        SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(i);
        if (std::any_of(devices.begin(), devices.end(), [id](auto& d) { return d.id == id; })) {
            continue;
        }
        Device d{id, nullptr, nullptr};
        if (SDL_IsGameController(i)) {
            d.controller = SDL_GameControllerOpen(i);
            d.joystick = d.controller ? SDL_GameControllerGetJoystick(d.controller) : nullptr;
        } else {
            d.joystick = SDL_JoystickOpen(i);
        }
        if (d.joystick) devices.push_back(d);
    }
}

PadReading SdlInputSource::Read(const Device& d) const {
    PadReading r;
    if (d.controller) {
        auto held = [&](SDL_GameControllerButton b) {
            return SDL_GameControllerGetButton(d.controller, b) != 0;
        };
        r.x = ScaleAxis(SDL_GameControllerGetAxis(d.controller, SDL_CONTROLLER_AXIS_LEFTX));
        r.y = ScaleAxis(SDL_GameControllerGetAxis(d.controller, SDL_CONTROLLER_AXIS_LEFTY));
        r.up = held(SDL_CONTROLLER_BUTTON_DPAD_UP);
        r.down = held(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
        r.left = held(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
        r.right = held(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
        uint8_t buttons[kControllerButtonCount];
        for (int b = 0; b < kControllerButtonCount; ++b)
            buttons[b] = held(static_cast<SDL_GameControllerButton>(b));
        PressBoundButtons(pad, buttons, r);
    } else {
        if (SDL_JoystickNumAxes(d.joystick) > 0)
            r.x = ScaleAxis(SDL_JoystickGetAxis(d.joystick, 0));
        if (SDL_JoystickNumAxes(d.joystick) > 1)
            r.y = ScaleAxis(SDL_JoystickGetAxis(d.joystick, 1));
        if (SDL_JoystickNumHats(d.joystick) > 0) {
            Uint8 hat = SDL_JoystickGetHat(d.joystick, 0);
            r.up = hat & SDL_HAT_UP;
            r.down = hat & SDL_HAT_DOWN;
            r.left = hat & SDL_HAT_LEFT;
            r.right = hat & SDL_HAT_RIGHT;
        }
        // A pad SDL does not know has no names for its buttons: the first four
        // are fire, hover, pause and freeze, whatever the table says.
        for (int i = 0; i < 4 && i < SDL_JoystickNumButtons(d.joystick); ++i) {
            r.buttons[i] = SDL_JoystickGetButton(d.joystick, i) != 0;
        }
    }
    return r;
}

void SdlInputSource::Fill(PadState& pad) {
    if (SDL_GetKeyboardFocus() != window) return;  // in the background the state stays clear
    SDL_PumpEvents();
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    heldKeys.assign(state, state + count);
    // Alt+Enter switches the display mode; its Enter is no key of the game.
    if (SDL_GetModState() & KMOD_ALT) heldKeys[SDL_SCANCODE_RETURN] = 0;
    ApplyKeyboard(keys, heldKeys, pad);

    RefreshDevices();
    if (!devices.empty()) ApplyPad(Read(devices.front()), pad);
}
