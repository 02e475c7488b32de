#include "app/platform/SdlDialogs.h"

#include <cstdio>

DialogResult SdlDialogs::ShowMessageBox(const std::string& text, const std::string& caption,
                                        DialogButtons buttons, DialogIcon icon) {
    enum { kOk = 1, kCancel = 2 };
    SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kOk, "OK"};
    SDL_MessageBoxButtonData cancel{SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kCancel, "Cancel"};
    SDL_MessageBoxButtonData both[] = {ok, cancel};
    SDL_MessageBoxData data{};
    data.flags = icon == DialogIcon::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    data.window = owner;
    data.title = caption.c_str();
    data.message = text.c_str();
    if (buttons == DialogButtons::OkCancel) {
        data.numbuttons = 2;
        data.buttons = both;
    } else {
        data.numbuttons = 1;
        data.buttons = &ok;
    }
    int pressed = kCancel;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) {
        // No way to ask: say it on stderr and take the safe answer.
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return buttons == DialogButtons::Ok ? DialogResult::Ok : DialogResult::Cancel;
    }
    return pressed == kOk ? DialogResult::Ok : DialogResult::Cancel;
}
