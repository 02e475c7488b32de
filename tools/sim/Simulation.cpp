#include "Simulation.h"

#include <cinttypes>
#include <cstdio>
#include <typeinfo>

#include "game/Scenes.h"
#include "world/PlayerShip.h"
#include "world/WorldHash.h"

namespace {

HeadlessPlatform::Options In(const std::string& exeDir, HeadlessPlatform::Options options) {
    options.exeDir = exeDir;
    return options;
}

const char* NameOf(const Scene* s) {
    if (dynamic_cast<const TitleMenu*>(s)) return "TitleMenu";
    if (dynamic_cast<const GetReady*>(s)) return "GetReady";
    if (dynamic_cast<const StageRunner*>(s)) return "StageRunner";
    if (dynamic_cast<const Pause*>(s)) return "Pause";
    if (dynamic_cast<const GameOver*>(s)) return "GameOver";
    if (dynamic_cast<const Warning*>(s)) return "Warning";
    if (dynamic_cast<const GameClear*>(s)) return "GameClear";
    if (dynamic_cast<const MusicFade*>(s)) return "MusicFade";
    return "Scene";
}

}  // namespace

Simulation::Simulation(const std::string& exeDir, HeadlessPlatform::Options options)
    : platform(In(exeDir, std::move(options))), app(std::make_unique<GameApp>(platform)) {
    app->ShowTitle();
}

bool Simulation::AtTitle() {
    for (Scene* s : Each<Scene>(app->ScenePool())) {
        if (dynamic_cast<TitleMenu*>(s)) return true;
    }
    return false;
}

void Simulation::Step(const PadState& pad) {
    platform.input->Append(pad);
    app->Update();
    ++steps;
    bool title = AtTitle();
    if (!title) started = true;
    if (started && title && milestones.backToTitle < 0) milestones.backToTitle = steps;
    for (Scene* s : Each<Scene>(app->ScenePool())) {
        int* mark = nullptr;
        if (dynamic_cast<Warning*>(s)) mark = &milestones.bossEntry;
        if (dynamic_cast<GameClear*>(s)) mark = &milestones.gameClear;
        if (dynamic_cast<GameOver*>(s)) mark = &milestones.gameOver;
        if (mark && *mark < 0) *mark = steps;
    }
}

std::string Simulation::Scenes() {
    std::string names;
    for (Scene* s : Each<Scene>(app->ScenePool())) {
        if (!names.empty()) names += ',';
        names += NameOf(s);
    }
    return names.empty() ? "-" : names;
}

std::string Simulation::Report() {
    World& world = GetWorld();
    const PlayerShip* ship = world.GetPlayer();
    char line[256];
    std::snprintf(line, sizeof line,
                  "step %6d (%s)  score %s  lives %d  options %2d  enemies %3d  bullets %4d  "
                  "items %4d  hash %016" PRIx64 "  scenes %s",
                  steps, StepsAsTime(steps).c_str(), world.GetScore().Text().c_str(),
                  world.GetLives(), ship ? ship->optionCount : 0, world.enemyPool.Count(),
                  world.bulletPool.Count(), world.itemPool.Count(), HashWorld(world),
                  Scenes().c_str());
    return line;
}

std::string StepsAsTime(int steps) {
    int seconds = steps / 60;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d", seconds / 60, seconds % 60);
    return text;
}
