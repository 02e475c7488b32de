// What a game came to: the tally after it, the name for the table, and the
// HIGH SCORES screen.
#include <cstdio>
#include <utility>

#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TextColors.h"
#include "game/TitlePicture.h"
#include "graphics/BitmapFont.h"
#include "util/StepClock.h"

namespace {

// Place, score, name, how far, date: 56 characters.
constexpr const char* kRow = "%2s  %-12s  %-10s %-16.16s %s";
constexpr uint32_t kResultsShade = 0xF4000008;

const MenuLayout& Layout() {
    return LayoutOf(MenuScreen::Results);
}

void Line(const SceneScreen& screen, std::string_view text, float y, uint32_t color) {
    DrawCentredText(screen.Font(), Layout(), text, y, color);
}

std::string Counted(const char* what, int n) {
    char text[64];
    std::snprintf(text, sizeof text, "%-12s%20d", what, n);
    return text;
}

std::string Said(const char* what, const std::string& value) {
    char text[64];
    std::snprintf(text, sizeof text, "%-12s%20.20s", what, value.c_str());
    return text;
}

// The table, a row a game: place, score, name, how far, date; one marked.
void DrawTable(const SceneScreen& screen, const std::vector<ScoreEntry>& top, int marked) {
    const MenuLayout& at = Layout();
    char captions[96];
    std::snprintf(captions, sizeof captions, kRow, "", "SCORE", "NAME", "REACHED", "DATE");
    DrawMenuText(screen.Font(), at, captions, at.x, at.captionsY, kMenuHint);
    if (top.empty()) Line(screen, "NO GAME YET", at.y, at.other);
    for (std::size_t i = 0; i < top.size(); ++i) {
        const ScoreEntry& e = top[i];
        char row[96];
        std::snprintf(row, sizeof row, kRow, std::to_string(i + 1).c_str(), e.score.c_str(),
                      e.name.c_str(), e.reached.c_str(), e.date.c_str());
        bool mark = static_cast<int>(i) == marked;
        DrawMenuText(screen.Font(), at, row, at.x, at.y + at.rowHeight * static_cast<float>(i),
                     mark ? kRowChosen : at.other);
        if (mark)
            DrawMenuText(screen.Font(), at, ">", at.x - 2 * kGlyphAdvance,
                         at.y + at.rowHeight * static_cast<float>(i), kRowChosen);
    }
}

}  // namespace

Results::Results(SceneHost& host, GameResult result)
    : Scene(host), result(std::move(result)), name(host.Scores().OfferedName()) {}

bool Results::Update() {
    const bool back = std::exchange(backPressed, false);
    if (page == Page::Name) {
        if (!name.Read(host.Pad()) && !back) return true;
        // Esc takes the name as typed rather than lose the game's place.
        place = host.Scores().EnterLastGame(name.Typed());
        page = Page::Table;
        keys.Hold();
        return true;
    }
    MenuAction action = keys.Read(host.Pad());
    if (back || action == MenuAction::Confirm || action == MenuAction::Back) return GoOn();
    return true;
}

bool Results::Back() {
    backPressed = true;
    return true;
}

bool Results::GoOn() {
    if (page != Page::Tally || !result.makesTable) return false;
    keys.Hold();
    std::string known = host.Scores().PlayerName();
    if (known.empty()) {
        page = Page::Name;
        return true;
    }
    place = host.Scores().EnterLastGame(known);
    page = Page::Table;
    return true;
}

void Results::Draw() {
    const SceneScreen& screen = host.Screen();
    const MenuLayout& at = Layout();
    // Over the title's rows: they must not show through.
    screen.Fill(0, 0, kScreenWidth, kScreenHeight, kResultsShade);
    switch (page) {
        case Page::Tally: {
            Line(screen, result.practice ? "PRACTICE RESULTS" : "RESULTS", at.headingY,
                 kMenuHeading);
            const std::string lines[] = {
                Said("SCORE", result.score),
                Counted("GRAZES", result.grazes),
                Counted("ENEMIES", result.destroyed),
                Counted("ITEMS", result.items),
                Counted("LIVES LOST", result.livesLost),
                Said("REACHED", result.reached),
                Said("TIME", StepsAsClock(result.steps)),
            };
            float y = at.y;
            for (const std::string& line : lines) {
                Line(screen, line, y, kRowChosen);
                y += at.rowHeight;
            }
            if (result.makesTable) Line(screen, "A PLACE IN THE HIGH SCORES!", y + 8, kMenuHeading);
            break;
        }
        case Page::Name: {
            Line(screen, "YOUR NAME FOR THE HIGH SCORES", at.headingY, kMenuHeading);
            const std::string& typed = name.Typed();
            float x = (kScreenWidth - kGlyphAdvance * static_cast<float>(typed.size())) / 2;
            DrawMenuText(screen.Font(), at, typed, x, at.y + 2 * at.rowHeight, kRowChosen);
            screen.Fill(x + kGlyphAdvance * static_cast<float>(name.Place()),
                        at.y + 3 * at.rowHeight - 2, kGlyphAdvance - 1, 2, kMenuHeading);
            Line(screen, "UP DOWN LETTER   LEFT RIGHT PLACE", at.hintY - at.rowHeight, kMenuHint);
            Line(screen, "X TAKE OUT   Z DONE", at.hintY, kMenuHint);
            return;
        }
        case Page::Table:
            Line(screen,
                 "HIGH SCORES  " + host.Choices().StageName() + "  " + host.Choices().LevelName(),
                 at.headingY, kMenuHeading);
            DrawTable(screen, host.Scores().ChosenTop(), place);
            break;
    }
    Line(screen, FirstKeyCap(host.Options(), KeyAction::Fire) + " GO ON", at.hintY, kMenuHint);
}

HighScores::HighScores(SceneHost& host) : Scene(host) {}

bool HighScores::Update() {
    MenuAction action = menu.Read(host.Pad());
    if (action == MenuAction::Decrease || action == MenuAction::Increase)
        message = host.Choices().ChangeLevel(action == MenuAction::Increase ? 1 : -1);
    if (!leaving && action != MenuAction::Confirm && action != MenuAction::Back) return true;
    host.CreateScene<TitleMenu>(static_cast<int>(TitleRow::HighScores));
    return false;
}

bool HighScores::Back() {
    leaving = true;
    return true;
}

void HighScores::Draw() {
    const SceneScreen& screen = host.Screen();
    const MenuLayout& at = Layout();
    DrawTitlePicture(screen);
    screen.Fill(0, 0, kScreenWidth, kScreenHeight, kMenuShade);
    Line(screen, "HIGH SCORES  " + host.Choices().StageName(), at.headingY, kMenuHeading);
    Line(screen, ChoiceText(host.Choices().LevelName()), at.headingY + at.rowHeight, kRowChosen);
    DrawTable(screen, host.Scores().ChosenTop(), -1);
    if (!message.empty()) Line(screen, message, at.messageY, kMenuHeading);
    Line(screen, "LEFT RIGHT LEVEL   " + FirstKeyCap(host.Options(), KeyAction::Fire) + " BACK",
         at.hintY, kMenuHint);
}
