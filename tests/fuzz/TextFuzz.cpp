// libFuzzer target: the stage script, its checker, the high-score file and a
// replay on arbitrary bytes. Each must read something or nothing, never crash
// or hang.
#include "fuzz/FuzzInput.h"
#include "game/HighScoreFile.h"
#include "game/Replay.h"
#include "script/StageCheck.h"
#include "script/StageScript.h"
#include "support/InMemoryAssets.h"
#include "support/SilentStageHost.h"
#include "world/DigitCounter.h"
#include "world/World.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = WriteFuzzInput("input.txt", data, size);

    // The enemies a stage sends in are made on a field and take a few steps there.
    static InMemoryAssets assets;
    RecordingFlow flow;
    World world(assets.refs, flow);
    world.BeginGame();
    SilentStageHost host(&world);
    StageScript script(path, host);
    for (int frame = 0; frame < 64; ++frame) {
        script.Tick();
        world.Step();
    }
    world.Clear();
    DescribeStageCheck(CheckStage(path));

    std::string why;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    long steps = 0;
    ReplayHeaderFromText(text, steps, why);
    IsNewerReplay(text);
    if (std::optional<Replay> replay = ReplayFromText(text, why)) {
        // What was read is written back whole, and its header says as much.
        std::string again = ReplayToText(*replay);
        std::optional<Replay> back = ReplayFromText(again, why);
        if (!back || back->input.size() != replay->input.size()) __builtin_trap();
        if (ReplayHeaderFromText(again, steps, why) && steps != CountSteps(replay->input))
            __builtin_trap();
    }

    DigitCounter highScore(kScoreDigits);
    HighScoreFile(path, "").Read(highScore);
    for (char c : highScore.Text()) {
        if (c < '0' || c > '9') __builtin_trap();
    }
    return 0;
}
