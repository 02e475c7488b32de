// One game step and one frame with every pool of the field filled.
#include <benchmark/benchmark.h>

#include "support/FullLoad.h"
#include "support/HeadlessGame.h"

namespace {

// A game on the null device whose models all load, the ship holding fire
// over a full field.
struct BusyGame : HeadlessGame {
    BusyGame() {
        app.StartGame();
        FillField(world);
    }
    void Fire() {
        PadState pad;
        pad.buttons[kButtonFire] = true;
        platform.input->Append(pad);
    }
};

// The load each step starts from.
void ReportLoad(benchmark::State& state, const World& world) {
    state.counters["bullets"] = world.bulletPool.Count();
    state.counters["enemies"] = world.enemyPool.Count();
    state.counters["items"] = world.itemPool.Count();
    state.counters["effects"] = world.effectPool.Count();
    state.counters["popups"] = world.popupPool.Count();
    state.counters["shots"] = world.playerShotPool.Count();
    state.counters["lives"] = world.GetLives();
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

// The same, with the enemy pool full of the stage's own kinds instead of
// stand-ins: they move, fire, ram the ship and die under its fire. Argument 1 keeps
// the bullet pool full as above (most of their fire is refused); 0 leaves it
// to what the kinds fire themselves.
void UpdateAtFullLoadWithEnemyKinds(benchmark::State& state) {
    BusyGame game;
    // Their fire and their parts would soon end the game: the ship outlasts it all.
    dynamic_cast<PlayerActive&>(*game.world.GetPlayer()).hitPoints = 1e9f;
    FieldLoad load;
    if (state.range(0) == 0) {
        load.bullets = 0;
        game.world.bulletPool.Clear();
    }
    game.world.enemyPool.Clear();
    int made = 0;
    for (auto _ : state) {
        state.PauseTiming();
        TopUpWithEnemyKinds(game.world, made);
        TopUp(game.world, load);
        game.Fire();
        state.ResumeTiming();
        game.app.Update();
    }
    ReportLoad(state, game.world);
    state.counters["kinds made"] = made;
}
BENCHMARK(UpdateAtFullLoadWithEnemyKinds)
    ->ArgName("fullBullets")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMicrosecond);

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
