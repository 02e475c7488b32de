// The scenes of a stage in play: get ready, the runner, the pause and the
// boss's warning; and the music's fade, which the stage starts.
#include "game/Scenes.h"
#include "game/Session.h"
#include "game/TextColors.h"
#include "graphics/BitmapFont.h"

namespace {
constexpr int kReadyUpdates = 50;
constexpr int kWarningUpdates = 120;
}  // namespace

bool GetReady::Update(World&) {
    if (++counter <= kReadyUpdates) return true;
    host.CreateScene<StageRunner>();
    return false;
}

void GetReady::Draw(const World&) {
    host.Font().DrawTextShadowed("GET READY", static_cast<float>(host.ScreenWidth() / 2 - 32),
                                 240.0f, kTextWhite, kTextShadow);
}

StageRunner::StageRunner(SceneHost& host) : Scene(host) {
    host.Play().Stage().Reset();
}

bool StageRunner::Update(World& world) {
    bool pauseKey = host.Pad().Held(kButtonPause);
    if (!world.IsPaused() && !held && pauseKey) host.CreateScene<Pause>();
    held = pauseKey;
    // The pause made this step has already stopped the stage.
    if (!world.IsPaused()) host.Play().Stage().Tick();
    return true;
}

Pause::Pause(SceneHost& host) : Scene(host) {
    host.SetPaused(true);
}

Pause::~Pause() {
    host.SetPaused(false);
}

bool Pause::Update(World&) {
    bool pauseKey = host.Pad().Held(kButtonPause);
    if (!held && pauseKey) return false;
    held = pauseKey;
    return true;
}

void Pause::Draw(const World&) {
    // Placed by the screen's height: at x = 200 on a 640 x 480 screen.
    host.Font().DrawTextShadowed("PAUSE", static_cast<float>(host.ScreenHeight() / 2 - 40), 240.0f,
                                 kTextWhite, kTextShadow);
}

bool Warning::Update(World&) {
    return ++counter < kWarningUpdates;
}

void Warning::Draw(const World&) {
    if ((counter / 10) % 2 == 0) return;
    host.Font().DrawTextShadowed("WARNING WARNING WARNING", 200.0f,
                                 static_cast<float>(host.ScreenWidth() / 2 - 32), kTextWhite,
                                 kTextShadow);
}

MusicFade::MusicFade(SceneHost& host, int count, float start, float end)
    : Scene(host),
      count(count),
      volume(start),
      step(count > 1 ? (end - start) / static_cast<float>(count - 1) : end - start) {}

bool MusicFade::Update(World&) {
    host.SetMusicVolume(volume);
    volume += step;
    // Counted down only while above 1, so no count from the script can wrap.
    if (count <= 1) return false;
    --count;
    return true;
}
