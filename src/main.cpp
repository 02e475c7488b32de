// Velmora's entry point: the platform, the settings and the command line wired
// to the game.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/BuildInfo.h"
#include "app/CommandLine.h"
#include "app/DataDir.h"
#include "app/SettingsFile.h"
#include "app/platform/SdlPlatform.h"
#include "game/GameApp.h"
#include "game/Levels.h"
#include "game/PlayChoice.h"
#include "graphics/platform/GlBackend.h"
#include "input/platform/SdlKeyNames.h"
#include "script/StageCatalogue.h"
#include "script/StageCheck.h"
#include "util/FileData.h"
#include "util/StringUtil.h"

namespace {

// The exit status of a replay left before its end.
constexpr int kReplayLeft = 3;

std::string PlayerSettingsPath() {
    return SettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}

LoadedSettings PlayerSettings(const std::string& path) {
    if (path.empty()) return {};
    LoadedSettings loaded = LoadSettings(path, SdlKeyNames());
    for (const std::string& problem : loaded.problems)
        std::fprintf(stderr, "velmora: %s: %s\n", path.c_str(), problem.c_str());
    return loaded;
}

// A recorded game that can be played on its stage with the models in mediaDir;
// nothing, with the reason, when it cannot.
std::optional<Replay> ReadReplay(const std::string& path, const std::string& mediaDir,
                                 std::string& why) {
    std::string text;
    std::optional<Replay> replay;
    if (ReadFileLimited(path, kMaxReplayBytes, text, why))
        replay = PlayableReplay(text, mediaDir, why);
    if (!replay) why = path + ": " + why;
    return replay;
}

int RefuseReplay(SdlPlatform& platform, const std::string& why) {
    std::fprintf(stderr, "velmora: cannot play the replay %s\n", why.c_str());
    platform.GetDialogs().ShowMessageBox("The replay cannot be played: " + why, "Velmora",
                                         DialogButtons::Ok, DialogIcon::Error);
    return 1;
}

// A stage of the player's is read as the game reads it; what it will ignore or
// cannot honour is said once, before the game starts.
void ReportStage(const std::string& path, const std::string& mediaDir) {
    StageCheck check = CheckStage(path, mediaDir);
    for (const std::string& finding : check.findings)
        std::fprintf(stderr, "velmora: %s: %s\n", Printable(path).c_str(), finding.c_str());
}

}  // namespace

int main(int argc, char** argv) {
    ParsedCommandLine parsed = ParseCommandLine(argc, argv);
    const CommandLine& options = parsed.options;
    if (std::optional<int> done =
            AnswerFirst("velmora", {parsed.error, options.help, options.version}, Usage()))
        return *done;
    std::string exeDir = SdlPlatform::ProgramDir();
    DataDir data = FindDataDir(options.dataDir, exeDir, Installations(exeDir));
    std::string dataDir = data.dir, missing = MissingPack(dataDir + "Media/");
    if (!options.dataDir.empty() && !missing.empty()) {
        std::fprintf(stderr, "velmora: --datadir %s: %s\n", options.dataDir.c_str(),
                     missing.c_str());
        return 2;
    }
    const NamedStage named = StageNamed(
        options.stage, dataDir + "Media/",
        [](const std::string& line) { std::fprintf(stderr, "velmora: %s\n", line.c_str()); });
    if (options.watch && named.stage.empty()) {
        std::fprintf(stderr, "velmora: --watch needs the stage to watch: --stage FILE\n");
        return 2;
    }
    if (!options.replay.empty() && !(named.stage.empty() && !named.wholeGame &&
                                     options.level.empty() && options.practice.empty())) {
        std::fprintf(stderr,
                     "velmora: a replay brings its own stage and level: give --replay alone\n");
        return 2;
    }
    PlayChoiceCheck chosen =
        CheckPlayChoice({named.stage, options.level, options.practice}, dataDir + "Media/");
    if (!chosen.refusal.empty()) {
        std::fprintf(stderr, "velmora: %s\n%s", chosen.refusal.c_str(),
                     chosen.showUsage ? Usage().c_str() : "");
        return 2;
    }
    std::string stagePath = named.stage;
    if (!stagePath.empty()) ReportStage(stagePath, dataDir + "Media/");
    const int practice = chosen.practiceStart;
    std::optional<Replay> replay;
    std::string refusal;
    if (!options.replay.empty()) {
        replay = ReadReplay(options.replay, dataDir + "Media/", refusal);
        // The game's own stages are listed already.
        if (replay && !replay->stageFile.starts_with(kPackStageMark)) stagePath = replay->stageFile;
    }
    const std::string settingsPath = PlayerSettingsPath();
    Settings settings = PlayerSettings(settingsPath).settings;

    // Process-wide, so set here: the renderer frees and takes back the same
    // memory every frame, which the C library would otherwise return to the
    // system and fault in again each time (see GlBackend.h).
    KeepFreedHeapBetweenFrames();
    SdlPlatform platform(data, settings);
    if (!options.replay.empty() && !replay) return RefuseReplay(platform, refusal);
    std::unique_ptr<GameApp> app;
    try {
        GameStart start;
        start.stage = stagePath;
        start.wholeGame = named.wholeGame;
        start.level = options.level;
        start.settings = settings;
        start.settingsPath = settingsPath;
        app = std::make_unique<GameApp>(platform, start);
    } catch (const StartupError&) {
        return 1;
    }
    if (options.fullScreen.value_or(settings.fullScreen)) app->SetFullScreen(true);
    if (options.watch) app->StartWatching();
    FrameClock& clock = app->GetFrameClock();
    clock.framesPerSecond = 60.0;
    clock.waitWhenInactive = true;
    clock.catchUp = false;
    if (replay) {
        refusal = app->PlayReplay(*replay);
        if (!refusal.empty()) return RefuseReplay(platform, options.replay + ": " + refusal);
    } else if (practice < 0 || !app->Practice(practice, World::kStartOptions)) {
        app->ShowTitle();
    }
    int status = app->Run();
    // A replay left before its end (Esc, the window closed, a signal) came to
    // nothing: not a success, nor a replay that went its own way. After the
    // viewer took the game over, the program is a game like any other.
    if (replay && !app->ReplayEnded() && !app->TookOver()) status = kReplayLeft;
    app.reset();
    return status;
}
