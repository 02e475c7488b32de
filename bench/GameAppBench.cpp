// One game step and one frame with every pool of the field filled.
#include <benchmark/benchmark.h>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"
#include "support/FullLoad.h"
#include "support/TestMedia.h"

namespace {

HeadlessPlatform::Options InFolder(const TestMedia& media) {
    HeadlessPlatform::Options options;
    options.exeDir = media.ExeDir();
    return options;
}

// A game on the null device whose models all load, the ship holding fire
// over a full field.
struct BusyGame {
    BusyGame() : platform(InFolder(media)), app(platform), world(app.GetWorld()) {
        app.StartGame();
        FillField(world);
    }
    void Fire() {
        PadState pad;
        pad.buttons[kButtonFire] = true;
        platform.input->Append(pad);
    }

    TestMedia media;
    HeadlessPlatform platform;
    GameApp app;
    World& world;
};

// The load each step starts from.
void ReportLoad(benchmark::State& state, const World& world) {
    state.counters["bullets"] = world.bulletPool.Count();
    state.counters["enemies"] = world.enemyPool.Count();
    state.counters["items"] = world.itemPool.Count();
    state.counters["effects"] = world.effectPool.Count();
    state.counters["popups"] = world.popupPool.Count();
    state.counters["shots"] = world.playerShotPool.Count();
}

void UpdateAtFullLoad(benchmark::State& state) {
    BusyGame game;
    for (auto _ : state) {
        state.PauseTiming();
        TopUp(game.world);
        game.Fire();
        state.ResumeTiming();
        game.app.Update();
    }
    TopUp(game.world);
    ReportLoad(state, game.world);
}
BENCHMARK(UpdateAtFullLoad)->Unit(benchmark::kMicrosecond);

void RenderAtFullLoad(benchmark::State& state) {
    BusyGame game;
    for (auto _ : state) {
        game.app.Render();
    }
    ReportLoad(state, game.world);
    state.counters["draws"] =
        static_cast<double>(static_cast<NullBackend*>(game.platform.backend)->Count().meshDraws) /
        static_cast<double>(state.iterations());
}
BENCHMARK(RenderAtFullLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
