// libFuzzer target: the stage script, its checker, the high-score file, the
// records file and an old per-stage record file, and a replay on arbitrary bytes. Each must read
// something or nothing, never crash or hang.
#include "fuzz/FuzzInput.h"
#include "game/HighScoreFile.h"
#include "game/Levels.h"
#include "game/Records.h"
#include "game/Replay.h"
#include "media/MediaFiles.h"
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
    const std::string media = media_files::Dir().string() + "/";
    StageScript script(path, media, host);
    for (int frame = 0; frame < 64; ++frame) {
        script.Tick();
        world.Step();
    }
    world.Clear();
    DescribeStageCheck(CheckStage(path, media));

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

    // The same bytes as the records file and as an old per-stage file: every
    // record read is a score of twelve digits, and nothing else is made up.
    const std::string folder = std::filesystem::path(path).parent_path().string() + "/";
    std::filesystem::create_directories(folder + "stages");
    WriteFuzzInput("records.ini", data, size);
    WriteFuzzInput("stages/old-0000000000000001.ini", data, size);
    Records records(HighScoreFile("", ""), folder + "records.ini", folder + "stages");
    for (const Records::Key& key : {Records::Key{false, 0x1234, 1, &kLevels[0]},
                                    Records::Key{false, 0x1234, 0, &kLevels[2]}}) {
        std::string best = records.Best(key);
        if (best.size() != static_cast<std::size_t>(kScoreDigits) ||
            best.find_first_not_of("0123456789") != std::string::npos)
            __builtin_trap();
    }
    return 0;
}
