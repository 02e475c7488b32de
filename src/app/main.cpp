// Velmora: the program's entry point.
#include <memory>

#include "app/platform/SdlPlatform.h"
#include "game/GameApp.h"

int main() {
    SdlPlatform platform;
    std::unique_ptr<GameApp> app;
    try {
        app = std::make_unique<GameApp>(platform);
    } catch (const StartupError&) {
        return 1;
    }
    FrameClock& clock = app->GetFrameClock();
    clock.framesPerSecond = 60.0;
    clock.waitWhenInactive = true;
    clock.catchUp = false;
    app->ShowTitle();
    app->Run();
    app.reset();
    return 0;
}
