#include "app/platform/SdlWindow.h"

#include <SDL_image.h>

#include "app/platform/BuiltinIcon.h"

std::unique_ptr<SdlWindow> SdlWindow::Create(const std::string& title, int clientWidth,
                                             int clientHeight, const std::string& iconPath) {
    // Resizable, so the caption offers to maximise; any size shows the whole
    // picture, placed as the picture fit says.
    SDL_Window* w = SDL_CreateWindow(title.c_str(), 0, 0, clientWidth, clientHeight,
                                     SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (!w) return nullptr;
    SDL_Surface* icon = iconPath.empty() ? nullptr : IMG_Load(iconPath.c_str());
    if (!icon) icon = CreateBuiltinIcon();
    if (icon) {
        SDL_SetWindowIcon(w, icon);
        SDL_FreeSurface(icon);
    }
    // Without a window manager nobody gives us the focus; ask for it.
    SDL_RaiseWindow(w);
    std::string driver = SDL_GetCurrentVideoDriver();
    bool shows = driver != "offscreen" && driver != "dummy";
    return std::unique_ptr<SdlWindow>(new SdlWindow(w, clientWidth, clientHeight, shows));
}

SdlWindow::~SdlWindow() {
    SDL_DestroyWindow(window);
}

ShellEvent SdlWindow::Translate(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:  // a signal asks us to end
            return {ShellEventKind::Quit};
        case SDL_WINDOWEVENT:
            switch (event.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    return {ShellEventKind::Quit};
                case SDL_WINDOWEVENT_EXPOSED:
                    return {ShellEventKind::Repaint};
                case SDL_WINDOWEVENT_SIZE_CHANGED:
                    UpdateCursor();
                    return {ShellEventKind::Resized};
                // A driver that shows nothing has no focus to lose.
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    if (showsAnything) return {ShellEventKind::FocusLost};
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    if (showsAnything) return {ShellEventKind::FocusGained};
                    break;
            }
            break;
        case SDL_MOUSEMOTION:
            UpdateCursor();
            break;
        case SDL_KEYDOWN: {
            if (event.key.repeat) break;
            SDL_Keycode key = event.key.keysym.sym;
            if (key == SDLK_ESCAPE) return {ShellEventKind::Escape};
            if (key == SDLK_F11 || (key == SDLK_RETURN && (event.key.keysym.mod & KMOD_ALT)))
                return {ShellEventKind::ToggleFullScreen};
            return {ShellEventKind::KeyPressed, event.key.keysym.scancode};
        }
        case SDL_CONTROLLERBUTTONDOWN:
            return {ShellEventKind::PadButtonPressed, event.cbutton.button};
        case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT && event.button.clicks >= 2 &&
                event.button.clicks % 2 == 0) {
                return {ShellEventKind::ToggleFullScreen};
            }
            break;
        default:
            break;
    }
    return {};
}

bool SdlWindow::PollEvent(ShellEvent& event) {
    SDL_Event e;
    while (SDL_PollEvent(&e)) {
        event = Translate(e);
        if (event.kind != ShellEventKind::None) return true;
    }
    return false;
}

ShellEvent SdlWindow::WaitEvent() {
    SDL_Event e;
    while (SDL_WaitEvent(&e)) {
        ShellEvent event = Translate(e);
        if (event.kind != ShellEventKind::None) return event;
    }
    return {};
}

bool SdlWindow::HasFocus() const {
    // A driver that shows nothing never hands out the focus: there is nothing in front of us.
    if (!showsAnything) return true;
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void SdlWindow::ShowCursor(bool show) {
    cursorWanted = show;
    UpdateCursor();
}

void SdlWindow::UpdateCursor() {
    int x = 0, y = 0, w = 0, h = 0;
    SDL_GetMouseState(&x, &y);
    SDL_GetWindowSize(window, &w, &h);
    bool overPicture = SDL_GetMouseFocus() == window &&
                       FitPicture(fit, w, h, pictureWidth, pictureHeight).Contains(x, y);
    SDL_ShowCursor(cursorWanted || !overPicture ? SDL_ENABLE : SDL_DISABLE);
}
