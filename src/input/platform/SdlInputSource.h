#pragma once
#include <vector>

#include <SDL.h>

#include "input/InputSource.h"

// The keyboard, through its key table, and the first attached controller,
// through its button table, read while the window has the keyboard focus. A controller plugged in
// during play is picked up; when the first is unplugged the next one takes its place.
class SdlInputSource : public InputSource {
public:
    SdlInputSource(SDL_Window* window, KeyTable keys, PadTable pad);
    ~SdlInputSource() override;
    void Fill(PadState& pad) override;
    bool PadConnected() const override { return !devices.empty(); }
    // The tables the next reads go through.
    void SetBindings(KeyTable newKeys, PadTable newPad);

private:
    struct Device {
        SDL_JoystickID id;
        SDL_GameController* controller;  // null for a joystick SDL does not recognise
        SDL_Joystick* joystick;
    };
    void RefreshDevices();
    PadReading Read(const Device& d) const;

    SDL_Window* window;
    KeyTable keys;
    PadTable pad;
    std::vector<Device> devices;
    std::vector<uint8_t> heldKeys;
};
