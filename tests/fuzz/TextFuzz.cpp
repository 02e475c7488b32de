// libFuzzer target: the stage script and the high-score file on arbitrary
// bytes. Both must read something or nothing, never crash or hang.
#include "fuzz/FuzzInput.h"
#include "game/HighScoreFile.h"
#include "script/StageScript.h"
#include "support/InMemoryAssets.h"
#include "support/SilentStageHost.h"
#include "world/DigitCounter.h"

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

    DigitCounter highScore(12);
    HighScoreFile(path, "").Read(highScore);
    for (char c : highScore.Text()) {
        if (c < '0' || c > '9') __builtin_trap();
    }
    return 0;
}
