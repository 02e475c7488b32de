// The recorded stage (tests/data/replay) played and drawn frame by frame through
// the OpenGL back end offscreen, from five seconds of the title to the credits,
// with the pack's images and its video. Each section of the stage reports the CPU per frame
// (every thread of the process: the rasteriser's and the decoder's too) as
// p50, p95 and max, and the GL draw calls and state changes per frame. The
// frames are not paced, so the video shows fewer of its frames than in play.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "Pictures.h"
#include "Simulation.h"
#include "game/Scenes.h"
#include "graphics/platform/GlBackend.h"
#include "input/PadText.h"
#include "input/ScriptedInput.h"
#include "world/Boss.h"

namespace {

enum Section { kTitle, kWaves, kBossEntry, kBossCore, kBossPairs, kEnding, kSections };
constexpr std::array<const char*, kSections> kSectionNames = {
    "title", "waves", "boss_entry", "boss_core", "boss_pairs", "ending"};

struct Frame {
    double cpuMs;
    long draws, stateChanges;
};

Section SectionOf(Simulation& sim) {
    if (sim.AtTitle()) return kTitle;
    if (sim.Reached().gameClear >= 0 || sim.Reached().gameOver >= 0) return kEnding;
    Section boss = kWaves;
    for (Enemy* e : Each<Enemy>(sim.GetWorld().enemyPool)) {
        if (dynamic_cast<BossCore*>(e)) return kBossCore;
        if (dynamic_cast<BossPart*>(e) || dynamic_cast<BossEscape*>(e)) boss = kBossPairs;
        if (dynamic_cast<BossIntro*>(e) && boss == kWaves) boss = kBossEntry;
    }
    return boss;
}

double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) * 1e-6;
}

// The frames of each section of one run; empty when there is no offscreen GL.
const std::array<std::vector<Frame>, kSections>& PlayTheStage() {
    static std::array<std::vector<Frame>, kSections> frames;
    static bool played = false;
    if (played) return frames;
    played = true;
    KeepFreedHeapBetweenFrames();  // as the game sets it

    std::ifstream file(std::string(VELMORA_REPLAY_DIR) + "/stage.inputs");
    // Five seconds at the title, as a player who reads the menu, then the run.
    std::vector<PadRun> runs{{300, PadState{}}};
    for (const PadRun& run : ReadPadRuns(file, 1L << 30))
        runs.push_back(run);
    ScriptedInput inputs(std::move(runs));
    auto self = std::filesystem::canonical("/proc/self/exe").parent_path();
    Simulation sim(self.string() + "/Media/", WithPictures());
    auto* gl = dynamic_cast<GlBackend*>(sim.App().GetGraphicsDevice().GetDevice());
    if (!gl) return frames;
    sim.App().RestoreDeviceObjects();
    while (!inputs.Finished()) {
        PadState pad;
        inputs.Fill(pad);
        const double start = ProcessCpuMs();
        const long draws = gl->GlDrawCalls(), states = gl->GlStateChanges();
        sim.Step(pad);
        sim.App().RenderFrame();
        gl->Finish();
        frames[SectionOf(sim)].push_back(Frame{ProcessCpuMs() - start, gl->GlDrawCalls() - draws,
                                               gl->GlStateChanges() - states});
    }
    return frames;
}

double Percentile(std::vector<double> values, double p) {
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1))];
}

// One section's numbers; its time is the mean CPU per frame.
void WholeStage(benchmark::State& state) {
    const std::vector<Frame>& frames = PlayTheStage()[state.range(0)];
    if (frames.empty()) {
        state.SkipWithError("no frames: no offscreen OpenGL, or the section never came");
        return;
    }
    std::vector<double> cpu;
    double draws = 0, states = 0;
    for (const Frame& f : frames) {
        cpu.push_back(f.cpuMs);
        draws += static_cast<double>(f.draws);
        states += static_cast<double>(f.stateChanges);
    }
    const double n = static_cast<double>(frames.size());
    double mean = 0;
    for (double c : cpu)
        mean += c / n;
    for (auto _ : state)
        state.SetIterationTime(mean * 1e-3);
    state.SetLabel(kSectionNames[state.range(0)]);
    state.counters["frames"] = n;
    state.counters["p50_ms"] = Percentile(cpu, 0.5);
    state.counters["p95_ms"] = Percentile(cpu, 0.95);
    state.counters["max_ms"] = Percentile(cpu, 1.0);
    state.counters["draws/frame"] = draws / n;
    state.counters["states/frame"] = states / n;
}
BENCHMARK(WholeStage)
    ->DenseRange(0, kSections - 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
