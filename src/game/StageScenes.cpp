// The scenes of a stage in play: get ready, the runner, the pause and the
// boss's warning; and the music's fade, which the stage starts.
#include "game/GameApp.h"
#include "game/Scenes.h"

namespace {
constexpr uint32_t kWhite = 0xFFFFFFFF, kShadow = 0x80000000;
constexpr int kReadyUpdates = 50;
constexpr int kWarningUpdates = 120;
}  // namespace

bool GetReady::Update() {
    if (++counter <= kReadyUpdates) return true;
    app.CreateScene<StageRunner>();
    return false;
}

void GetReady::Draw() {
    app.Font().DrawTextShadowed("GET READY", static_cast<float>(app.ScreenWidth() / 2 - 32), 240.0f,
                                kWhite, kShadow);
}

StageRunner::StageRunner(GameApp& app) : Scene(app) {
    app.Stage().Reset();
}

bool StageRunner::Update() {
    bool pauseKey = app.Pad().Held(kButtonPause);
    if (!app.IsPaused() && !held && pauseKey) app.CreateScene<Pause>();
    held = pauseKey;
    // The pause made this step has already stopped the stage.
    if (!app.IsPaused()) app.Stage().Tick();
    return true;
}

Pause::Pause(GameApp& app) : Scene(app) {
    app.SetPaused(true);
}

Pause::~Pause() {
    app.SetPaused(false);
}

bool Pause::Update() {
    bool pauseKey = app.Pad().Held(kButtonPause);
    if (!held && pauseKey) return false;
    held = pauseKey;
    return true;
}

void Pause::Draw() {
    // Placed by the screen's height: at x = 200 on a 640 x 480 screen.
    app.Font().DrawTextShadowed("PAUSE", static_cast<float>(app.ScreenHeight() / 2 - 40), 240.0f,
                                kWhite, kShadow);
}

bool Warning::Update() {
    return ++counter < kWarningUpdates;
}

void Warning::Draw() {
    if ((counter / 10) % 2 == 0) return;
    app.Font().DrawTextShadowed("WARNING WARNING WARNING", 200.0f,
                                static_cast<float>(app.ScreenWidth() / 2 - 32), kWhite, kShadow);
}

MusicFade::MusicFade(GameApp& app, int count, float start, float end)
    : Scene(app),
      count(count),
      volume(start),
      step(count > 1 ? (end - start) / static_cast<float>(count - 1) : end - start) {}

bool MusicFade::Update() {
    app.SetMusicVolume(volume);
    volume += step;
    // Counted down only while above 1, so no count from the script can wrap.
    if (count <= 1) return false;
    --count;
    return true;
}
