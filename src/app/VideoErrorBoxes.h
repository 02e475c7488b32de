#pragma once
#include "app/Dialogs.h"
#include "video/VideoErrors.h"

// The video's errors as message boxes.
class VideoErrorBoxes : public VideoErrors {
public:
    explicit VideoErrorBoxes(Dialogs& dialogs) : dialogs(dialogs) {}
    void Show(const std::string& text) override {
        dialogs.ShowMessageBox(text, kCaption, DialogButtons::Ok, DialogIcon::Error);
    }

private:
    Dialogs& dialogs;
};
