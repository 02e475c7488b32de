#pragma once
#include <SDL.h>

#include "app/Dialogs.h"
#include "app/platform/SdlDialogs.h"

// Message boxes through GTK, in this process, so every text shows as it stands
// (Japanese too) and nothing outlives the game. SDL's box when GTK cannot open
// the display, stderr when nothing can.
class GtkDialogs : public Dialogs {
public:
    void SetOwner(SDL_Window* window) {
        owner = window;
        fallback.SetOwner(window);
    }
    DialogResult ShowMessageBox(const std::string& text, const std::string& caption,
                                DialogButtons buttons, DialogIcon icon) override;

private:
    SDL_Window* owner = nullptr;
    SdlDialogs fallback;
};
