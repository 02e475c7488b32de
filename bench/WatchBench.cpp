// The stage author's loop on a five-minute stage: a practice of the delivered
// stage played by the bot to its boss, then a saved change; what is timed is
// the reading again and the silent play back to the step the game had reached.
#include <filesystem>
#include <fstream>

#include <benchmark/benchmark.h>

#include "Bot.h"
#include "Simulation.h"
#include "media/MediaFiles.h"
#include "support/TempDir.h"
#include "world/PlayerStates.h"

namespace {

void ReloadAfterFiveMinutes(benchmark::State& state) {
    TempDir dir("watch_bench");
    const std::string stage = dir / "stage.txt";
    std::filesystem::copy_file(media_files::Dir() / "script_easy.txt", stage);
    GameStart start;
    start.stage = stage;
    Simulation sim(media_files::Dir().string() + "/", {}, start);
    sim.Practice(0, 2);
    sim.App().StartWatching();
    WeavingBot bot;
    while (sim.Steps() < 60 * 60 * 5 && !sim.AtTitle()) {
        sim.Step(bot.Play(sim.GetWorld()));
        if (auto* ship = dynamic_cast<PlayerActive*>(sim.GetWorld().GetPlayer()))
            ship->hitPoints = 1e9f;  // it must still be there five minutes on
    }
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(stage, std::ios::app) << "/* saved */\n*/\n";
        state.ResumeTiming();
        // Looked at four times a second: within 15 frames the change is seen.
        for (int frame = 0; frame < 15 && sim.App().WatchNotice().empty(); ++frame)
            sim.Step(bot.Play(sim.GetWorld()));
        state.PauseTiming();
        if (sim.App().WatchNotice().empty() || sim.AtTitle()) state.SkipWithError("no reload");
        state.ResumeTiming();
    }
    state.counters["steps"] = sim.Steps();
}
BENCHMARK(ReloadAfterFiveMinutes)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
