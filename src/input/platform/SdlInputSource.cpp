#include "input/platform/SdlInputSource.h"

#include <algorithm>

namespace {

constexpr SDL_Scancode kScancodes[] = {
    SDL_SCANCODE_UP,    SDL_SCANCODE_DOWN,   SDL_SCANCODE_LEFT, SDL_SCANCODE_RIGHT, SDL_SCANCODE_Z,
    SDL_SCANCODE_SPACE, SDL_SCANCODE_RETURN, SDL_SCANCODE_X,    SDL_SCANCODE_C,     SDL_SCANCODE_V,
    SDL_SCANCODE_B,     SDL_SCANCODE_E,      SDL_SCANCODE_D,    SDL_SCANCODE_S,     SDL_SCANCODE_F};
static_assert(std::size(kScancodes) == static_cast<size_t>(Key::Count));

int ScaleAxis(Sint16 v) {
    return std::clamp(v * kAxisRange / 32767, -kAxisRange, kAxisRange);
}

}  // namespace

SdlInputSource::SdlInputSource(SDL_Window* window) : window(window) {
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

PadReading SdlInputSource::Read(const Device& d) {
    PadReading r;
    if (d.controller) {
        r.x = ScaleAxis(SDL_GameControllerGetAxis(d.controller, SDL_CONTROLLER_AXIS_LEFTX));
        r.y = ScaleAxis(SDL_GameControllerGetAxis(d.controller, SDL_CONTROLLER_AXIS_LEFTY));
        const SDL_GameControllerButton buttons[] = {
            SDL_CONTROLLER_BUTTON_A, SDL_CONTROLLER_BUTTON_B, SDL_CONTROLLER_BUTTON_X,
            SDL_CONTROLLER_BUTTON_Y};
        for (int i = 0; i < 4; ++i) {
            r.buttons[i] = SDL_GameControllerGetButton(d.controller, buttons[i]) != 0;
        }
    } else {
        if (SDL_JoystickNumAxes(d.joystick) > 0)
            r.x = ScaleAxis(SDL_JoystickGetAxis(d.joystick, 0));
        if (SDL_JoystickNumAxes(d.joystick) > 1)
            r.y = ScaleAxis(SDL_JoystickGetAxis(d.joystick, 1));
        for (int i = 0; i < 4 && i < SDL_JoystickNumButtons(d.joystick); ++i) {
            r.buttons[i] = SDL_JoystickGetButton(d.joystick, i) != 0;
        }
    }
    return r;
}

void SdlInputSource::Fill(PadRecords& pads) {
    if (SDL_GetKeyboardFocus() != window) return;  // in the background every record stays clear
    SDL_PumpEvents();
    const Uint8* keys = SDL_GetKeyboardState(nullptr);
    KeyboardReading reading;
    for (size_t k = 0; k < std::size(kScancodes); ++k)
        reading.held[k] = keys[kScancodes[k]] != 0;
    ApplyKeyboard(reading, pads[0]);

    RefreshDevices();
    // Only sixteen records: controllers beyond them are not read.
    size_t n = std::min(devices.size(), pads.size());
    for (size_t i = 0; i < n; ++i)
        ApplyPad(Read(devices[i]), pads[i]);
}
