#include <algorithm>

#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TitlePicture.h"
#include "game/VideoBackground.h"
#include "graphics/BitmapFont.h"

namespace {

enum class Then { Stay, Leave };

// A row of the title: what it reads, the value beside it, and what confirming
// it or Left and Right do.
struct RowDef {
    TitleRow row;
    std::string (*label)(SceneHost& host);
    std::string (*value)(SceneHost& host);
    Then (*confirm)(SceneHost& host);
    // What the title says of the change: empty, or why it is not remembered.
    std::string (*change)(SceneHost& host, int by);
};

std::string Fixed(const char* text) {
    return text;
}
constexpr RowDef kRows[] = {
    {TitleRow::Start, [](SceneHost&) { return Fixed("START"); }, nullptr,
     [](SceneHost& host) {
         host.Game().StartGame();
         return Then::Leave;
     },
     nullptr},
    {TitleRow::Level, [](SceneHost&) { return Fixed("LEVEL"); },
     [](SceneHost& host) { return ChoiceText(host.Choices().LevelName()); }, nullptr,
     [](SceneHost& host, int by) { return host.Choices().ChangeLevel(by); }},
    {TitleRow::Stage, [](SceneHost&) { return Fixed("STAGE"); },
     [](SceneHost& host) { return ChoiceText(host.Choices().StageName()); }, nullptr,
     [](SceneHost& host, int by) { return host.Choices().ChangeStage(by); }},
    {TitleRow::Practice, [](SceneHost&) { return Fixed("PRACTICE"); }, nullptr,
     [](SceneHost& host) { return host.CreateScene<PracticeMenu>() ? Then::Leave : Then::Stay; },
     nullptr},
    {TitleRow::HowToPlay, [](SceneHost&) { return Fixed("HOW TO PLAY"); }, nullptr,
     [](SceneHost& host) { return host.CreateScene<HowToPlay>(false) ? Then::Leave : Then::Stay; },
     nullptr},
    {TitleRow::HighScores, [](SceneHost&) { return Fixed("HIGH SCORES"); }, nullptr,
     [](SceneHost& host) { return host.CreateScene<HighScores>() ? Then::Leave : Then::Stay; },
     nullptr},
    {TitleRow::Replays, [](SceneHost&) { return Fixed("REPLAYS"); }, nullptr,
     [](SceneHost& host) { return host.CreateScene<ReplayMenu>() ? Then::Leave : Then::Stay; },
     nullptr},
    {TitleRow::Options, [](SceneHost&) { return Fixed("SETTINGS"); }, nullptr,
     [](SceneHost& host) { return host.CreateScene<OptionsMenu>() ? Then::Leave : Then::Stay; },
     nullptr},
    // The video in use follows the label: the label is longer than the value column allows.
    {TitleRow::VideoChange,
     [](SceneHost& host) {
         std::string label = "VIDEO CHANGE  ";
         return label.append(host.Choices().VideoName());
     },
     nullptr, nullptr, [](SceneHost& host, int) { return host.Choices().ChooseVideo(); }},
    {TitleRow::DefaultVideo, [](SceneHost&) { return Fixed("DEFAULT VIDEO"); }, nullptr, nullptr,
     [](SceneHost& host, int) { return host.Choices().UseDefaultVideo(); }},
    {TitleRow::VideoSound,
     [](SceneHost& host) {
         return Fixed(host.Video().IsSoundOn() ? "VIDEO SOUND ON" : "VIDEO SOUND OFF");
     },
     nullptr, nullptr,
     // Left and Right switch it, as they change the other rows' values.
     [](SceneHost& host, int) {
         host.Video().ToggleSound();
         return std::string();
     }},
    {TitleRow::Exit, [](SceneHost&) { return Fixed("EXIT"); }, nullptr,
     [](SceneHost& host) {
         host.Game().Quit();
         return Then::Stay;
     },
     nullptr},
};
static_assert(std::size(kRows) == static_cast<std::size_t>(TitleRow::Count));

}  // namespace

TitleMenu::TitleMenu(SceneHost& host, int row)
    : Scene(host), menu(static_cast<int>(std::size(kRows)), row, false) {}

bool TitleMenu::Update() {
    // What the last game came to stands over the title until it is read.
    if (host.Scenes().Has(SceneKind::Results)) {
        menu.Hold();
        return true;
    }
    MenuAction action = menu.Read(host.Pad());
    const RowDef& row = kRows[menu.Cursor()];
    switch (action) {
        case MenuAction::Confirm:
            // On a row with a value, confirming steps it on: a pad needs no Left or Right.
            if (row.change) message = row.change(host, 1);
            if (row.confirm && row.confirm(host) == Then::Leave) return false;
            break;
        case MenuAction::Decrease:
        case MenuAction::Increase:
            if (row.change) message = row.change(host, action == MenuAction::Increase ? 1 : -1);
            break;
        case MenuAction::Back:
        case MenuAction::None:
            break;
    }
    return true;
}

void TitleMenu::Draw() {
    DrawTitlePicture(host.Screen());
    std::vector<MenuRowText> rows;
    for (const RowDef& row : kRows)
        rows.push_back({row.label(host), row.value ? row.value(host) : ""});
    const MenuLayout& layout = LayoutOf(MenuScreen::Title);
    const BitmapFont& font = host.Screen().Font();
    DrawMenuRows(font, layout, rows, menu.Cursor());
    if (!message.empty()) DrawCentredText(font, layout, message, layout.messageY, kMenuHeading);
    // How to play, with the keys as the player bound them.
    const OptionsControl& keys = host.Options();
    constexpr KeyAction kMoves[] = {KeyAction::Up, KeyAction::Down, KeyAction::Left,
                                    KeyAction::Right};
    std::string moves[std::size(kMoves)];
    for (std::size_t i = 0; i < std::size(kMoves); ++i)
        moves[i] = FirstKeyCap(keys, kMoves[i]);
    bool arrows =
        moves[0] == "UP" && moves[1] == "DOWN" && moves[2] == "LEFT" && moves[3] == "RIGHT";
    std::string move =
        arrows ? "ARROWS" : moves[0] + " " + moves[2] + " " + moves[1] + " " + moves[3];
    std::string help = move + " MOVE   " + FirstKeyCap(keys, KeyAction::Fire) + " FIRE   " +
                       FirstKeyCap(keys, KeyAction::Hover) + " HOVER   " +
                       FirstKeyCap(keys, KeyAction::Pause) + " PAUSE   ESC QUIT";
    DrawCentredText(font, layout, help, layout.hintY, kMenuHint);
}
