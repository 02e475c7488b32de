// The recorded stage (tests/data/replay) played and drawn frame by frame through
// the OpenGL back end offscreen, from five seconds of the title to the credits,
// with the pack's images and its video; then each later stage of the game by its
// kept run, section by section. Each section reports the CPU per frame
// (every thread of the process: the rasteriser's and the decoder's too) as
// p50, p95 and max, and the GL draw calls and state changes per frame. The
// frames are not paced, so the video shows fewer of its frames than in play.
#include <benchmark/benchmark.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "Pictures.h"
#include "Simulation.h"
#include "content/StageOrder.h"
#include "game/Replay.h"
#include "game/Scenes.h"
#include "graphics/platform/GlBackend.h"
#include "input/PadText.h"
#include "input/ScriptedInput.h"
#include "util/FileData.h"
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

// The numbers of these frames; the benchmark's time is their mean CPU per frame.
void Report(benchmark::State& state, const std::vector<Frame>& frames, const std::string& label) {
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
    state.SetLabel(label);
    state.counters["frames"] = n;
    state.counters["p50_ms"] = Percentile(cpu, 0.5);
    state.counters["p95_ms"] = Percentile(cpu, 0.95);
    state.counters["max_ms"] = Percentile(cpu, 1.0);
    state.counters["draws/frame"] = draws / n;
    state.counters["states/frame"] = states / n;
}

// One section's numbers.
void WholeStage(benchmark::State& state) {
    Report(state, PlayTheStage()[state.range(0)], kSectionNames[state.range(0)]);
}
BENCHMARK(WholeStage)
    ->DenseRange(0, kSections - 1)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

struct NamedSection {
    std::string name;
    std::vector<Frame> frames;
};

// A later stage of the game played and drawn from its kept run (stageN.replay),
// its frames by the stage's own sections, the ending last.
std::vector<NamedSection> PlayKeptRun(const std::string& name) {
    std::vector<NamedSection> sections;
    KeepFreedHeapBetweenFrames();
    auto self = std::filesystem::canonical("/proc/self/exe").parent_path();
    const std::string media = self.string() + "/Media/";
    std::string text, why;
    if (!ReadFileLimited(std::string(VELMORA_REPLAY_DIR) + "/" + name + ".replay", 64 << 20, text,
                         why))
        return sections;
    std::optional<Replay> replay = PlayableReplay(text, media, why);
    if (!replay) return sections;
    Simulation sim(media, WithPictures());
    auto* gl = dynamic_cast<GlBackend*>(sim.App().GetGraphicsDevice().GetDevice());
    if (!gl) return sections;
    sim.App().RestoreDeviceObjects();
    sim.PlayReplay(*replay);
    while (!sim.Over()) {
        const double start = ProcessCpuMs();
        const long draws = gl->GlDrawCalls(), states = gl->GlStateChanges();
        sim.Step();
        sim.App().RenderFrame();
        gl->Finish();
        std::string section = "ending";
        if (!sim.App().Scenes().Has(SceneKind::StageRunner)) {
            if (sim.Reached().gameClear < 0) section = "get ready";
        } else if (sim.Reached().gameClear < 0 && sim.Reached().gameOver < 0) {
            const StageScript& stage = sim.App().Play().Stage();
            section = "start";
            for (const StageSection& s : stage.PracticeStarts()) {
                if (s.command <= std::max(stage.Position() - 1, 0)) section = s.name;
            }
        }
        if (sections.empty() || sections.back().name != section) sections.push_back({section, {}});
        sections.back().frames.push_back(Frame{ProcessCpuMs() - start, gl->GlDrawCalls() - draws,
                                               gl->GlStateChanges() - states});
    }
    return sections;
}

// Each later stage (its place in stages.toml, from 0) and each of its sections.
void LaterStage(benchmark::State& state) {
    static std::map<long, std::vector<NamedSection>> played;
    const long stage = state.range(0);
    auto self = std::filesystem::canonical("/proc/self/exe").parent_path();
    const std::vector<std::string> stages =
        PackStages(self.string() + "/Media/", [](const std::string&) {});
    if (stage >= static_cast<long>(stages.size())) {
        state.SkipWithError("the game has no such stage");
        return;
    }
    const std::string name =
        std::filesystem::path(stages[static_cast<std::size_t>(stage)]).stem().string();
    if (!played.count(stage)) played[stage] = PlayKeptRun(name);
    const std::vector<NamedSection>& sections = played[stage];
    const auto at = static_cast<std::size_t>(state.range(1));
    if (at >= sections.size()) {
        state.SkipWithError("no such section in its run");
        return;
    }
    Report(state, sections[at].frames, name + " " + sections[at].name);
}
BENCHMARK(LaterStage)
    ->ArgsProduct({{0, 1, 2}, benchmark::CreateDenseRange(0, 7, 1)})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace
