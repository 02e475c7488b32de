// Practice: a row for each place the chosen stage can start from, and the
// options the ship starts with, 0 to 10, changed with Left and Right.
#include <algorithm>

#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TitlePicture.h"
#include "graphics/BitmapFont.h"
#include "graphics/Glyphs.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

int Rows(SceneHost& host) {
    // The starts, then the options.
    return static_cast<int>(host.Choices().PracticeStarts().size()) + 1;
}

}  // namespace

PracticeMenu::PracticeMenu(SceneHost& host)
    : Scene(host),
      menu(Rows(host)),
      options(World::kStartOptions),
      times(host.Choices().PracticeStartTimes()) {}

bool PracticeMenu::Back() {
    leaving = true;
    return true;
}

bool PracticeMenu::Update() {
    MenuAction action = menu.Read(host.Pad());
    bool onOptions = menu.Cursor() == menu.Rows() - 1;
    switch (action) {
        case MenuAction::Confirm:
            if (!onOptions) {
                host.Game().StartPractice(menu.Cursor(), options);
                return false;
            }
            options = (options + 1) % (PlayerShip::kMaxOptions + 1);
            break;
        case MenuAction::Decrease:
            options = std::max(options - 1, 0);
            break;
        case MenuAction::Increase:
            options = std::min(options + 1, PlayerShip::kMaxOptions);
            break;
        case MenuAction::Back:
            leaving = true;
            break;
        case MenuAction::None:
            break;
    }
    if (!leaving) return true;
    host.CreateScene<TitleMenu>(static_cast<int>(TitleRow::Practice));
    return false;
}

void PracticeMenu::Draw() {
    DrawTitlePicture(host.Screen());
    const MenuLayout& layout = LayoutOf(MenuScreen::Practice);
    const BitmapFont& font = host.Screen().Font();
    DrawMenuText(font, layout,
                 "PRACTICE  " + host.Choices().StageName() + "  " + host.Choices().LevelName(),
                 layout.x, layout.headingY, kMenuHeading);
    std::vector<MenuRowText> rows;
    const std::vector<std::string> starts = host.Choices().PracticeStarts();
    for (std::size_t i = 0; i < starts.size(); ++i)
        rows.push_back({InFontGlyphs(starts[i]), i < times.size() ? times[i] : ""});
    rows.push_back({"OPTIONS", ChoiceText(std::to_string(options))});
    DrawMenuRows(font, layout, rows, menu.Cursor());
    const OptionsControl& keys = host.Options();
    DrawMenuText(font, layout,
                 FirstKeyCap(keys, KeyAction::Fire) + " START   LEFT RIGHT OPTIONS   " +
                     FirstKeyCap(keys, KeyAction::Hover) + " BACK",
                 layout.x, layout.hintY, kMenuHint);
}
