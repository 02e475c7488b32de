#include "video/VideoErrors.h"

#include <cstdio>

namespace {
constexpr const char* kCaption = "DirectShow CaptureTex9 Sample";
}

void ShowVideoError(Dialogs& dialogs, const char* format, uint32_t result) {
    char message[1024];
    std::snprintf(message, sizeof message, format, result);
    ShowVideoText(dialogs, message);
}

void ShowVideoText(Dialogs& dialogs, const std::string& text) {
    dialogs.ShowMessageBox(text, kCaption, DialogButtons::Ok, DialogIcon::Error);
}
