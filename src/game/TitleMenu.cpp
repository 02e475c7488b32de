#include "game/Scenes.h"
#include "game/VideoBackground.h"
#include "graphics/BitmapFont.h"
#include "graphics/Texture.h"
#include "input/PadState.h"

namespace {
constexpr int kItems = 4;
constexpr uint32_t kChosen = 0xFFFFFFFF, kOther = 0xFF404040;
}  // namespace

bool TitleMenu::Update(World&) {
    const PadState& pad = host.Pad();
    if (!held) {
        if (pad.up && cursor > 0) --cursor;
        if (pad.down && cursor < kItems - 1) ++cursor;
        if (pad.Held(kButtonFire) || pad.Held(kButtonPause)) {
            switch (cursor) {
                case 0:
                    host.StartGame();
                    return false;
                case 1:
                    host.Video().ChooseVideo();
                    break;
                case 2:
                    host.Video().ToggleSound();
                    break;
                default:
                    host.Quit();
                    break;
            }
        }
    }
    held = pad.up || pad.down || pad.left || pad.right || pad.Held(kButtonFire) ||
           pad.Held(kButtonPause);
    return true;
}

void TitleMenu::Draw(const World&) {
    const Texture& title = host.GetTexture("title");
    title.Draw(0, 0, static_cast<float>(title.ImageWidth()),
               static_cast<float>(title.ImageHeight()), 0, 0, 1, 1, 0xFFFFFFFF);
    const char* items[kItems] = {"START", "VIDEO CHANGE",
                                 host.Video().IsSoundOn() ? "VIDEO SOUND ON" : "VIDEO SOUND OFF",
                                 "EXIT"};
    int x = host.ScreenWidth() / 2 - 64, y = host.ScreenHeight() / 2;
    for (int i = 0; i < kItems; ++i) {
        host.Font().DrawText(items[i], static_cast<float>(x), static_cast<float>(y + 32 * i),
                             i == cursor ? kChosen : kOther);
    }
}
