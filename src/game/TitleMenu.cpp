#include "game/GameApp.h"
#include "game/Scenes.h"

namespace {
constexpr int kItems = 4;
constexpr uint32_t kChosen = 0xFFFFFFFF, kOther = 0xFF404040;
}  // namespace

bool TitleMenu::Update() {
    const PadState& pad = app.Pad();
    if (!held) {
        if (pad.up && cursor > 0) --cursor;
        if (pad.down && cursor < kItems - 1) ++cursor;
        if (pad.Held(kButtonFire) || pad.Held(kButtonPause)) {
            switch (cursor) {
                case 0:
                    app.StartGame();
                    return false;
                case 1:
                    app.Video().ChooseVideo();
                    break;
                case 2:
                    app.Video().ToggleSound();
                    break;
                default:
                    app.Quit();
                    break;
            }
        }
    }
    held = pad.up || pad.down || pad.left || pad.right || pad.Held(kButtonFire) ||
           pad.Held(kButtonPause);
    return true;
}

void TitleMenu::Draw() {
    const Texture& title = app.GetTexture("title");
    title.Draw(0, 0, static_cast<float>(title.ImageWidth()),
               static_cast<float>(title.ImageHeight()), 0, 0, 1, 1, 0xFFFFFFFF);
    const char* items[kItems] = {"START", "VIDEO CHANGE",
                                 app.Video().IsSoundOn() ? "VIDEO SOUND ON" : "VIDEO SOUND OFF",
                                 "EXIT"};
    int x = app.ScreenWidth() / 2 - 64, y = app.ScreenHeight() / 2;
    for (int i = 0; i < kItems; ++i) {
        app.Font().DrawText(items[i], static_cast<float>(x), static_cast<float>(y + 32 * i),
                            i == cursor ? kChosen : kOther);
    }
}
