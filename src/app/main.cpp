// Velmora: the program's entry point.
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "app/BuildInfo.h"
#include "app/CommandLine.h"
#include "app/DataDir.h"
#include "app/Settings.h"
#include "app/platform/SdlPlatform.h"
#include "game/GameApp.h"
#include "input/platform/SdlKeyNames.h"

namespace {

LoadedSettings PlayerSettings() {
    std::string path = SettingsPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (path.empty()) return {};
    LoadedSettings loaded = LoadSettings(path, SdlKeyNames());
    for (const std::string& problem : loaded.problems)
        std::fprintf(stderr, "velmora: %s: %s\n", path.c_str(), problem.c_str());
    return loaded;
}

}  // namespace

int main(int argc, char** argv) {
    ParsedCommandLine parsed = ParseCommandLine(argc, argv);
    const CommandLine& options = parsed.options;
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "velmora: %s\n%s", parsed.error.c_str(), Usage().c_str());
        return 2;
    }
    if (options.help) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("velmora %s\n", GameVersion());
        return 0;
    }
    std::string exeDir = SdlPlatform::ProgramDir();
    std::string dataDir = FindDataDir(options.dataDir, exeDir, InstalledDataDirs(exeDir));
    if (!options.dataDir.empty() && !HasMedia(dataDir)) {
        std::fprintf(stderr, "velmora: --datadir %s: there is no Media folder in it\n",
                     options.dataDir.c_str());
        return 2;
    }
    Settings settings = PlayerSettings().settings;

    SdlPlatform platform(dataDir, settings);
    std::unique_ptr<GameApp> app;
    try {
        app = std::make_unique<GameApp>(platform);
    } catch (const StartupError&) {
        return 1;
    }
    if (options.fullScreen.value_or(settings.fullScreen)) app->SetFullScreen(true);
    FrameClock& clock = app->GetFrameClock();
    clock.framesPerSecond = 60.0;
    clock.waitWhenInactive = true;
    clock.catchUp = false;
    app->ShowTitle();
    app->Run();
    app.reset();
    return 0;
}
