#include "input/platform/SdlKeyNames.h"

#include <SDL.h>

KeyNames SdlKeyNames() {
    return {[](const std::string& name) {
                return static_cast<int>(SDL_GetScancodeFromName(name.c_str()));
            },
            [](int scancode) {
                return std::string(SDL_GetScancodeName(static_cast<SDL_Scancode>(scancode)));
            }};
}
