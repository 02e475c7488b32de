#pragma once
#include <memory>
#include <string>

#include <SDL.h>

#include "app/Window.h"
#include "graphics/PictureFit.h"

// The game window on SDL2. Turns SDL's events into the game's: Alt+Enter, F11
// and a double click toggle the display mode, Esc and the other keys and a
// controller's buttons come as presses. A hidden cursor is hidden only over the
// picture, never over the bars beside it.
class SdlWindow : public Window {
public:
    // Null when SDL cannot make the window.
    static std::unique_ptr<SdlWindow> Create(const std::string& title, int clientWidth,
                                             int clientHeight, const std::string& iconPath);
    ~SdlWindow() override;

    bool PollEvent(ShellEvent& event) override;
    ShellEvent WaitEvent() override;
    bool HasFocus() const override;
    void Hide() override { SDL_HideWindow(window); }
    void ShowCursor(bool show) override;

    SDL_Window* Handle() const { return window; }
    // How the picture of clientWidth x clientHeight fills the window.
    void SetPictureFit(PictureFit f) { fit = f; }

private:
    SdlWindow(SDL_Window* window, int pictureWidth, int pictureHeight, bool showsAnything)
        : window(window),
          pictureWidth(pictureWidth),
          pictureHeight(pictureHeight),
          showsAnything(showsAnything) {}
    // None for what the game does not handle.
    ShellEvent Translate(const SDL_Event& event);
    // Shows or hides the cursor for where the mouse is now.
    void UpdateCursor();

    SDL_Window* window;
    int pictureWidth, pictureHeight;
    PictureFit fit = PictureFit::Stretch;
    bool cursorWanted = true;
    bool showsAnything;
};
