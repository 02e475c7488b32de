#pragma once
#include <vector>

#include <SDL.h>

#include "input/InputSource.h"

// The keyboard and every attached controller, read while the window has the
// keyboard focus. Controllers plugged in during play join at the end.
class SdlInputSource : public InputSource {
public:
    explicit SdlInputSource(SDL_Window* window);
    ~SdlInputSource() override;
    void Fill(PadRecords& pads) override;

private:
    struct Device {
        SDL_JoystickID id;
        SDL_GameController* controller;  // null for a joystick SDL does not recognise
        SDL_Joystick* joystick;
    };
    void RefreshDevices();
    static PadReading Read(const Device& d);

    SDL_Window* window;
    std::vector<Device> devices;
};
