#include "game/MenuList.h"

#include <algorithm>

MenuAction MenuList::Read(const PadState& pad) {
    bool back = hoverGoesBack && pad.Held(kButtonHover);
    MenuAction action = MenuAction::None;
    if (!held) {
        if (pad.up && cursor > 0) --cursor;
        if (pad.down && cursor < rows - 1) ++cursor;
        if (pad.Held(kButtonFire) || pad.Held(kButtonPause)) {
            action = MenuAction::Confirm;
        } else if (back) {
            action = MenuAction::Back;
        } else if (pad.left) {
            action = MenuAction::Decrease;
        } else if (pad.right) {
            action = MenuAction::Increase;
        }
    }
    held = pad.up || pad.down || pad.left || pad.right || pad.Held(kButtonFire) ||
           pad.Held(kButtonPause) || back;
    return action;
}

void MenuList::SetRows(int count) {
    rows = count;
    cursor = std::clamp(cursor, 0, std::max(rows - 1, 0));
}
