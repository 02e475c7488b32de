// A field of 2,000 pattern bullets, each playing its own action: one step of
// the bullet pool.
#include <benchmark/benchmark.h>

#include "support/InMemoryAssets.h"
#include "support/PatternSwarm.h"

namespace {

void UpdateTwoThousandPatternBullets(benchmark::State& state) {
    InMemoryAssets assets;
    RecordingFlow flow;
    World world(assets.refs, flow);
    PatternSwarm swarm;
    swarm.Fill(world);
    for (auto _ : state)
        world.bulletPool.UpdateAll(world);
    state.counters["bullets"] = world.bulletPool.Count();
    state.counters["runners"] = world.patternRunners.Live();
}
BENCHMARK(UpdateTwoThousandPatternBullets)->Unit(benchmark::kMicrosecond);

}  // namespace
