// The scenes of a stage in play: get ready, the runner, the pause and the
// boss's warning; and the music's fade, which the stage starts.
#include "game/MenuLayout.h"
#include "game/Scenes.h"
#include "game/TextColors.h"
#include "graphics/BitmapFont.h"

namespace {
constexpr int kReadyUpdates = 50;
constexpr int kWarningUpdates = 120;
enum PauseRow { kContinue, kQuitToTitle };
enum ConfirmRow { kNo, kYes };
}  // namespace

bool GetReady::Update() {
    if (++counter <= kReadyUpdates) return true;
    host.CreateScene<StageRunner>();
    return false;
}

void GetReady::Draw() {
    host.Screen().Font().DrawTextShadowed("GET READY", kSceneTexts.getReady.x,
                                          kSceneTexts.getReady.y, kTextWhite, kTextShadow);
}

StageRunner::StageRunner(SceneHost& host) : Scene(host) {
    host.Stage().StartTimeline();
}

bool StageRunner::Update() {
    bool pauseKey = host.Pad().Held(kButtonPause);
    if (!host.Game().IsPaused() && !held && pauseKey) host.CreateScene<Pause>();
    held = pauseKey;
    // The pause made this step has already stopped the stage.
    if (!host.Game().IsPaused()) host.Stage().TickTimeline();
    return true;
}

Pause::Pause(SceneHost& host) : Scene(host), menu(2) {
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
            host.Game().RequestReturnToTitle();
        } else if (action == MenuAction::Confirm || action == MenuAction::Back) {
            confirming = false;
            menu.SetCursor(kQuitToTitle);
        }
        return true;
    }
    if (action == MenuAction::Back) return false;
    if (action != MenuAction::Confirm) return true;
    if (menu.Cursor() == kContinue) return false;
    confirming = true;
    menu.SetCursor(kNo);
    return true;
}

void Pause::Draw() {
    const MenuLayout& layout = LayoutOf(MenuScreen::Pause);
    const BitmapFont& font = host.Screen().Font();
    font.DrawTextShadowed(confirming ? "QUIT TO TITLE?" : "PAUSE", kSceneTexts.pauseX,
                          layout.headingY, kTextWhite, kTextShadow);
    static const MenuRowText kPauseRows[] = {{"CONTINUE", ""}, {"QUIT TO TITLE", ""}};
    static const MenuRowText kConfirmRows[] = {{"NO", ""}, {"YES", ""}};
    DrawMenuRows(font, layout, confirming ? kConfirmRows : kPauseRows, menu.Cursor());
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
