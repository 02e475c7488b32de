// libFuzzer target: a pattern file on arbitrary bytes. It is read (or refused
// with findings that each name the file and a line), and what is read plays
// on its own and on a field for a while; nothing may crash, hang or allocate
// without bound.
#include <string>

#include "fuzz/FuzzInput.h"
#include "pattern/PatternReader.h"
#include "pattern/PatternTrace.h"
#include "support/InMemoryAssets.h"
#include "world/PatternBullet.h"
#include "world/World.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzInput("pattern.xml", data, size);
    PatternRead read = ReadPattern(path);
    if (!read.program) {
        if (read.findings.empty()) __builtin_trap();
        for (const std::string& finding : read.findings)
            if (finding.rfind(path + ":", 0) != 0) __builtin_trap();
        return 0;
    }
    if (!read.findings.empty()) __builtin_trap();
    uint8_t bounds = 0;
    TracePattern(*read.program, 1.0, 120, &bounds);

    static InMemoryAssets assets;
    RecordingFlow flow;
    World world(assets.refs, flow);
    world.SetPatternRank(1.0f);
    {
        PatternEmitter emitter;
        emitter.Start(world, *read.program);
        for (int step = 0; step < 60; ++step) {
            world.Step();
            emitter.Step(world, 0.0f, -40.0f, 0);
        }
    }
    world.Clear();
    if (world.patternRunners.Live() != 0) __builtin_trap();
    return 0;
}
