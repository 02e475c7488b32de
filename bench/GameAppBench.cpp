// One game step and one frame with every pool of the field filled.
#include <benchmark/benchmark.h>

#include "app/HeadlessPlatform.h"
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
    BusyGame() : platform(InFolder(media)), app(platform) {
        app.StartGame();
        FillField(app);
    }
    void Fire() {
        PadState pad;
        pad.buttons[0] = true;
        platform.input->Append(pad);
    }

    TestMedia media;
    HeadlessPlatform platform;
    GameApp app;
};

// The load each step starts from.
void ReportLoad(benchmark::State& state, GameApp& app) {
    state.counters["bullets"] = app.bulletPool->Count();
    state.counters["enemies"] = app.enemyPool->Count();
    state.counters["items"] = app.itemPool->Count();
    state.counters["effects"] = app.effectPool->Count();
    state.counters["popups"] = app.popupPool->Count();
    state.counters["shots"] = app.playerShotPool->Count();
}

void UpdateAtFullLoad(benchmark::State& state) {
    BusyGame game;
    for (auto _ : state) {
        state.PauseTiming();
        TopUp(game.app);
        game.Fire();
        state.ResumeTiming();
        game.app.Update();
    }
    TopUp(game.app);
    ReportLoad(state, game.app);
}
BENCHMARK(UpdateAtFullLoad)->Unit(benchmark::kMicrosecond);

void RenderAtFullLoad(benchmark::State& state) {
    BusyGame game;
    for (auto _ : state) {
        game.app.Render();
    }
    ReportLoad(state, game.app);
    state.counters["draws"] =
        static_cast<double>(static_cast<NullBackend*>(game.platform.backend)->Count().meshDraws) /
        static_cast<double>(state.iterations());
}
BENCHMARK(RenderAtFullLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
