#pragma once
#include <SDL.h>

#include "app/Dialogs.h"

// Message boxes through SDL: UTF-8 texts, owned by the game window when there is one.
class SdlDialogs : public Dialogs {
public:
    void SetOwner(SDL_Window* window) { owner = window; }
    DialogResult ShowMessageBox(const std::string& text, const std::string& caption,
                                DialogButtons buttons, DialogIcon icon) override;

private:
    SDL_Window* owner = nullptr;
};
