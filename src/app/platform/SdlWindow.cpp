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

WindowMessage SdlWindow::Translate(const SDL_Event& event) {
    WindowMessage msg{MessageId::None, 0, Id()};
    switch (event.type) {
        case SDL_QUIT:  // a signal asks us to end: leave as if the window were closed
            msg.id = MessageId::Destroy;
            break;
        case SDL_WINDOWEVENT:
            if (event.window.event == SDL_WINDOWEVENT_CLOSE) msg.id = MessageId::Close;
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED) msg.id = MessageId::Paint;
            if (event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) UpdateCursor();
            break;
        case SDL_MOUSEMOTION:
            UpdateCursor();
            break;
        case SDL_KEYDOWN: {
            if (event.key.repeat) break;
            SDL_Keycode key = event.key.keysym.sym;
            SDL_Keymod mods = static_cast<SDL_Keymod>(event.key.keysym.mod);
            bool isAlt = key == SDLK_LALT || key == SDLK_RALT;
            altAlone = isAlt;
            if (key == SDLK_ESCAPE) {
                msg = {MessageId::Command, kCommandClose, Id()};
            } else if (key == SDLK_RETURN && (mods & KMOD_ALT)) {
                msg = {MessageId::Command, kCommandAltEnter, Id()};
            } else if (key == SDLK_F11) {
                msg = {MessageId::Command, kCommandF11, Id()};
            } else if (key == SDLK_F1) {
                msg = {MessageId::Command, (mods & KMOD_SHIFT) ? kCommandShiftF1 : kCommandF1,
                       Id()};
            }
            break;
        }
        case SDL_KEYUP:
            if ((event.key.keysym.sym == SDLK_LALT || event.key.keysym.sym == SDLK_RALT) &&
                altAlone) {
                msg = {MessageId::SysCommand, kSysKeyMenu, Id()};
            }
            altAlone = false;
            break;
        case SDL_MOUSEBUTTONDOWN:
            altAlone = false;
            if (event.button.button == SDL_BUTTON_LEFT && event.button.clicks >= 2 &&
                event.button.clicks % 2 == 0) {
                msg.id = MessageId::NcLButtonDblClk;
            }
            break;
        default:
            break;
    }
    return msg;
}

bool SdlWindow::PeekMessage(WindowMessage& msg) {
    if (!posted.empty()) {
        msg = posted.front();
        posted.pop_front();
        return true;
    }
    SDL_Event event;
    if (!SDL_PollEvent(&event)) return false;
    msg = Translate(event);
    return true;
}

void SdlWindow::WaitMessage(WindowMessage& msg) {
    if (PeekMessage(msg)) return;
    SDL_Event event;
    if (SDL_WaitEvent(&event)) {
        msg = Translate(event);
    } else {
        msg = WindowMessage{MessageId::None, 0, Id()};
    }
}

bool SdlWindow::IsForeground() const {
    // A driver that shows nothing never hands out the focus: there is nothing in front of us.
    if (!showsAnything) return true;
    return (SDL_GetWindowFlags(window) & SDL_WINDOW_INPUT_FOCUS) != 0;
}

void SdlWindow::PostQuitMessage(int exitCode) {
    posted.push_back(WindowMessage{MessageId::Quit, exitCode, Id()});
}

void SdlWindow::Destroy() {
    SDL_HideWindow(window);
    posted.push_back(WindowMessage{MessageId::Destroy, 0, Id()});
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
