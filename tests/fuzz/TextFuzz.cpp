// libFuzzer target: the stage script and the high-score file on arbitrary
// bytes. Both must read something or nothing, never crash or hang.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>

#include "game/HighScoreFile.h"
#include "script/StageScript.h"
#include "support/InMemoryAssets.h"
#include "support/SilentStageHost.h"
#include "world/DigitCounter.h"

namespace {

std::string Path() {
    static const std::string path = [] {
        auto folder =
            std::filesystem::temp_directory_path() / ("velmora_fuzz_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        return (folder / "input.txt").string();
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string path = Path();
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));

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
