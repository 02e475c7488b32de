#pragma once
#include <deque>
#include <memory>
#include <string>

#include <SDL.h>

#include "app/Window.h"

// The game window on SDL2. Translates SDL events into window messages:
// accelerator keys become commands, a double click toggles the display mode.
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

private:
    SdlWindow(SDL_Window* window, bool showsAnything)
        : window(window), showsAnything(showsAnything) {}
    WindowMessage Translate(const SDL_Event& event);

    SDL_Window* window;
    std::deque<WindowMessage> posted;
    bool showsAnything;
    bool altAlone = false;
};
