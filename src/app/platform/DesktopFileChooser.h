#pragma once
#include <SDL.h>

#include "app/FileChooser.h"

// The desktop's own open-file dialog through GTK. The game window gets the
// focus back when it closes.
class DesktopFileChooser : public FileChooser {
public:
    void SetOwner(SDL_Window* window) { owner = window; }
    std::optional<std::string> ChooseFile(const std::string& title,
                                          const std::vector<Filter>& filters,
                                          const std::string& initialPath) override;

private:
    SDL_Window* owner = nullptr;
};
