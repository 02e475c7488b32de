// libFuzzer target: a stage folder's kinds and bosses files on arbitrary
// bytes (the same bytes as both), under a stage that names what the seeds
// define. The content is read with every fault a finding that names its file
// and line,
// and the stage plays on a field for a while; nothing may crash or hang.
#include <filesystem>
#include <fstream>
#include <string>

#include "fuzz/FuzzInput.h"
#include "media/MediaFiles.h"
#include "script/StageCheck.h"
#include "script/StageScript.h"
#include "support/InMemoryAssets.h"
#include "support/SilentStageHost.h"
#include "world/World.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::filesystem::path input = WriteFuzzInput("content.toml", data, size);
    const std::string folder = (input.parent_path() / "stage").string();
    std::filesystem::create_directories(folder);
    for (const char* file : {"/kinds.toml", "/bosses.toml"})
        std::filesystem::copy_file(input, folder + file,
                                   std::filesystem::copy_options::overwrite_existing);
    const std::string stage = folder + ".txt";
    if (!std::filesystem::exists(stage)) {
        std::ofstream(stage) << "teki lancer 0\nteki tyrant 0\nboss tyrant 0\nteki obj1 5\n"
                                "sleep 30\nboss boss 0\nclear\n";
    }
    const std::string media = media_files::Dir().string() + "/";
    StageCheck check = CheckStage(stage, media);
    // Every finding names its line or its file: the stage's, the folder's, or
    // the pack's (a pack kind whose parts the folder replaced with a faulty one).
    for (const std::string& finding : check.findings) {
        if (finding.rfind("line ", 0) != 0 && finding.rfind(folder, 0) != 0 &&
            finding.rfind(media, 0) != 0)
            __builtin_trap();
    }

    static InMemoryAssets assets;
    RecordingFlow flow;
    World world(assets.refs, flow);
    world.BeginGame();
    world.SetDifficulty(1.0f);
    SilentStageHost host(&world);
    {
        StageScript script(stage, media, host);
        for (int frame = 0; frame < 240; ++frame) {
            script.Tick();
            world.Step();
        }
        world.Clear();
    }
    return 0;
}
