// The scenes of a stage in play: get ready, the runner, the pause, the boss's
// warning and the whole game's tally between stages; and the music's fade,
// which the stage starts.
#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TextColors.h"
#include "graphics/BitmapFont.h"

namespace {
constexpr int kReadyUpdates = 50;
constexpr int kWarningUpdates = 120;
constexpr int kTallyUpdates = 240;
enum PauseRow { kContinue, kQuitToTitle, kQuitGame, kPauseRows };
enum ConfirmRow { kNo, kYes };
}  // namespace

bool GetReady::Update() {
    if (++counter <= kReadyUpdates) return true;
    host.CreateScene<StageRunner>();
    return false;
}

void GetReady::Draw() {
    const BitmapFont& font = host.Screen().Font();
    font.DrawTextShadowed("GET READY", kSceneTexts.getReady.x, kSceneTexts.getReady.y, kTextWhite,
                          kTextShadow);
    if (!card.empty()) {
        const float x = (kScreenWidth - kGlyphAdvance * static_cast<float>(card.size())) / 2;
        font.DrawTextShadowed(card, x, kSceneTexts.getReady.y + kSceneTexts.cardDy, kTextWhite,
                              kTextShadow);
    }
}

bool StageTally::Update() {
    if (++counter < kTallyUpdates) return true;
    host.Stage().NextStage();
    return false;
}

void StageTally::Draw() {
    const BitmapFont& font = host.Screen().Font();
    const std::string lines[] = {stage + " CLEAR", "GRAZE " + std::to_string(given.grazes),
                                 "ITEMS " + std::to_string(given.items),
                                 "LIVES KEPT " + std::to_string(given.lives)};
    float y = kSceneTexts.tallyY;
    for (const std::string& line : lines) {
        const float x = (kScreenWidth - kGlyphAdvance * static_cast<float>(line.size())) / 2;
        font.DrawTextShadowed(line, x, y, kTextWhite, kTextShadow);
        y += kSceneTexts.tallyStep;
    }
}

StageRunner::StageRunner(SceneHost& host) : Scene(host), stageNumber(host.Stage().StageNumber()) {
    host.Stage().StartTimeline();
}

bool StageRunner::Update() {
    if (host.Stage().StageNumber() != stageNumber) return false;
    bool pauseKey = host.Pad().Held(kButtonPause);
    if (!host.Game().IsPaused() && !held && pauseKey) host.CreateScene<Pause>();
    held = pauseKey;
    // The pause made this step has already stopped the stage.
    if (!host.Game().IsPaused()) host.Stage().TickTimeline();
    return true;
}

Pause::Pause(SceneHost& host) : Scene(host), menu(kPauseRows) {
    host.Game().SetPaused(true);
}

Pause::~Pause() {
    host.Game().SetPaused(false);
}

bool Pause::Update() {
    // The pause key ends the pause, once it was let go and pressed again.
    bool pauseKey = host.Pad().Held(kButtonPause);
    if (!held && pauseKey) return false;
    held = pauseKey;
    MenuAction action = menu.Read(host.Pad());
    if (confirming) {
        if (action == MenuAction::Confirm && menu.Cursor() == kYes) {
            if (confirming == kQuitGame) {
                host.Game().Quit();
            } else {
                host.Game().RequestReturnToTitle();
            }
        } else if (action == MenuAction::Confirm || action == MenuAction::Back) {
            menu.SetRows(kPauseRows);
            menu.SetCursor(confirming);
            confirming = 0;
        }
        return true;
    }
    if (action == MenuAction::Back) return false;
    if (action != MenuAction::Confirm) return true;
    if (menu.Cursor() == kContinue) return false;
    // Either way the game under way is left: asked first.
    confirming = menu.Cursor();
    menu.SetRows(2);
    menu.SetCursor(kNo);
    return true;
}

void Pause::Draw() {
    const MenuLayout& layout = LayoutOf(MenuScreen::Pause);
    const BitmapFont& font = host.Screen().Font();
    // In the ending, leaving for the title skips what is left of it.
    const bool ending = host.Scenes().Has(SceneKind::GameClear);
    const char* heading = confirming == kQuitGame ? "QUIT GAME?"
                          : confirming == kQuitToTitle
                              ? (ending ? "SKIP THE ENDING?" : "QUIT TO TITLE?")
                              : "PAUSE";
    font.DrawTextShadowed(heading, kSceneTexts.pauseX, layout.headingY, kTextWhite, kTextShadow);
    static const MenuRowText kRows[] = {{"CONTINUE", ""}, {"QUIT TO TITLE", ""}, {"QUIT GAME", ""}};
    static const MenuRowText kEndingRows[] = {
        {"CONTINUE", ""}, {"SKIP THE ENDING", ""}, {"QUIT GAME", ""}};
    static const MenuRowText kConfirmRows[] = {{"NO", ""}, {"YES", ""}};
    DrawMenuRows(font, layout,
                 confirming ? std::span<const MenuRowText>(kConfirmRows)
                            : std::span<const MenuRowText>(ending ? kEndingRows : kRows),
                 menu.Cursor());
}

bool Warning::Update() {
    return ++counter < kWarningUpdates;
}

void Warning::Draw() {
    if ((counter / 10) % 2 == 0) return;
    host.Screen().Font().DrawTextShadowed("WARNING WARNING WARNING", kSceneTexts.warning.x,
                                          kSceneTexts.warning.y, kTextWhite, kTextShadow);
}

MusicFade::MusicFade(SceneHost& host, int count, float start, float end)
    : Scene(host),
      count(count),
      volume(start),
      step(count > 1 ? (end - start) / static_cast<float>(count - 1) : end - start) {}

bool MusicFade::Update() {
    host.Music().SetMusicVolume(volume);
    volume += step;
    // Counted down only while above 1, so no count from the script can wrap.
    if (count <= 1) return false;
    --count;
    return true;
}
