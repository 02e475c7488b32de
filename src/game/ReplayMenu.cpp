// The REPLAYS screen: what was kept, and a way to watch it or let it go.
#include <algorithm>
#include <cstdio>

#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TitlePicture.h"
#include "graphics/BitmapFont.h"
#include "graphics/Glyphs.h"
#include "input/KeyTable.h"
#include "input/Presses.h"
#include "util/StepClock.h"

std::string ReplayMenu::RowText(const ReplayEntry& e) {
    // Names come from the files: each cut to its column, so a row stays a row.
    std::string stage = InFontGlyphs(e.stageName).substr(0, 16);
    std::string level = InFontGlyphs(e.level).substr(0, 6);
    std::string score = e.problem == ReplayProblem::None ? e.score : ProblemWord(e.problem);
    char row[96];
    std::snprintf(row, sizeof row, "%-16s  %-16s  %-6s  %-13s %5s  %c %c %c",
                  DateText(e.stamp).c_str(), stage.c_str(), level.c_str(), score.c_str(),
                  StepsAsClock(e.steps).c_str(), e.practice ? 'P' : ' ', e.finished ? ' ' : 'L',
                  e.best ? '*' : ' ');
    return row;
}

ReplayMenu::ReplayMenu(SceneHost& host)
    : Scene(host),
      entries(host.Replays().KeptReplays()),
      menu(std::max(static_cast<int>(entries.size()), 1)),
      message(host.Replays().LastVerdict()) {}

bool ReplayMenu::Back() {
    leaving = true;
    return true;
}

bool ReplayMenu::Update() {
    MenuAction action = menu.Read(host.Pad());
    const Presses& presses = host.KeysPressed();
    const int page = LayoutOf(MenuScreen::Replays).shownRows;
    if (presses.HasKey(scancode::kPageDown) || presses.HasButton(ControllerButton::RightShoulder))
        menu.SetCursor(std::min(menu.Cursor() + page, menu.Rows() - 1));
    if (presses.HasKey(scancode::kPageUp) || presses.HasButton(ControllerButton::LeftShoulder))
        menu.SetCursor(std::max(menu.Cursor() - page, 0));
    const bool any = !entries.empty();
    const ReplayEntry* chosen = any ? &entries[static_cast<std::size_t>(menu.Cursor())] : nullptr;
    if (confirmingDelete) {
        // Esc or B is "no", as much as the hover key is.
        if (leaving || action == MenuAction::Back) {
            leaving = confirmingDelete = false;
            message.clear();
        } else if (action == MenuAction::Confirm && chosen) {
            std::string why;
            if (host.Replays().Delete(*chosen, why)) {
                entries.erase(entries.begin() + menu.Cursor());
                menu.SetRows(std::max(static_cast<int>(entries.size()), 1));
                message = "DELETED";
            } else {
                message = InFontGlyphs("NOT DELETED: " + why);
            }
            confirmingDelete = false;
        }
        return true;
    }
    if (any && (presses.HasKey(scancode::kDelete) || presses.HasButton(ControllerButton::Back))) {
        confirmingDelete = true;
        message = "DELETE THIS REPLAY?  " + FirstKeyCap(host.Options(), KeyAction::Fire) +
                  " YES   " + FirstKeyCap(host.Options(), KeyAction::Hover) + " NO";
    } else if (action == MenuAction::Confirm && chosen) {
        std::string why = host.Replays().Watch(*chosen);
        // Watched, the playback takes the screen at the end of this step.
        if (why.empty()) return false;
        message = InFontGlyphs(why);
    } else if (action == MenuAction::Back) {
        leaving = true;
    }
    if (!leaving) return true;
    host.CreateScene<TitleMenu>(static_cast<int>(TitleRow::Replays));
    return false;
}

void ReplayMenu::Draw() {
    DrawTitlePicture(host.Screen());
    host.Screen().Fill(0, 0, static_cast<float>(host.Screen().Width()),
                       static_cast<float>(host.Screen().Height()), kMenuShade);
    const MenuLayout& layout = LayoutOf(MenuScreen::Replays);
    const BitmapFont& font = host.Screen().Font();
    DrawMenuText(font, layout, "REPLAYS", layout.x, layout.headingY, kMenuHeading);
    DrawMenuText(font, layout, "DATE              STAGE             LEVEL   SCORE         LENGTH",
                 layout.x, layout.captionsY, kMenuHint);
    if (entries.empty()) {
        DrawMenuText(font, layout, "NO REPLAYS KEPT YET", layout.x, layout.y, layout.other);
    } else {
        std::vector<MenuRowText> rows;
        for (const ReplayEntry& entry : entries)
            rows.push_back({RowText(entry), ""});
        DrawMenuRows(font, layout, rows, menu.Cursor());
    }
    if (!message.empty())
        DrawMenuText(font, layout, message.substr(0, 70), layout.x, layout.messageY, kMenuHeading);
    const OptionsControl& keys = host.Options();
    DrawMenuText(font, layout,
                 FirstKeyCap(keys, KeyAction::Fire) + " WATCH  DEL DELETE  PGUP PGDN  " +
                     FirstKeyCap(keys, KeyAction::Hover) + " BACK    P PRACTICE L LEFT * BEST",
                 layout.x, layout.hintY, kMenuHint);
}
