#pragma once
#include <deque>
#include <memory>
#include <string>

#include <SDL.h>

#include "app/Window.h"
#include "graphics/PictureFit.h"

// The game window on SDL2. Translates SDL events into window messages:
// accelerator keys become commands, a double click toggles the display mode.
// A hidden cursor is hidden only over the picture, never over the bars beside it.
class SdlWindow : public Window {
public:
    // Null when SDL cannot make the window.
    static std::unique_ptr<SdlWindow> Create(const std::string& title, int clientWidth,
                                             int clientHeight, const std::string& iconPath);
    ~SdlWindow() override;

    uint32_t Id() const override { return SDL_GetWindowID(window); }
    bool PeekMessage(WindowMessage& msg) override;
    void WaitMessage(WindowMessage& msg) override;
    bool IsForeground() const override;
    void PostQuitMessage(int exitCode) override;
    void Destroy() override;
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
    WindowMessage Translate(const SDL_Event& event);
    // Shows or hides the cursor for where the mouse is now.
    void UpdateCursor();

    SDL_Window* window;
    int pictureWidth, pictureHeight;
    PictureFit fit = PictureFit::Stretch;
    bool cursorWanted = true;
    std::deque<WindowMessage> posted;
    bool showsAnything;
    bool altAlone = false;
};
