#include "Simulation.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "util/StepClock.h"
#include "world/PlayerShip.h"
#include "world/WorldHash.h"

namespace {

HeadlessPlatform::Options In(const std::string& mediaDir, HeadlessPlatform::Options options) {
    options.mediaDir = mediaDir;
    return options;
}

}  // namespace

Simulation::Simulation(const std::string& mediaDir, HeadlessPlatform::Options options)
    : platform(In(mediaDir, std::move(options))), app(std::make_unique<GameApp>(platform)) {
    app->ShowTitle();
}

void Simulation::PlayReplay(const Replay& replay) {
    app->ScenePool().Clear();  // no title: the game begins at once
    app->PlayReplay(replay);
}

bool Simulation::HasScene(const char* name) {
    for (const Scene* s : Each<const Scene>(app->ScenePool())) {
        if (std::strcmp(s->Name(), name) == 0) return true;
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
    auto mark = [&](int& milestone, const char* scene) {
        if (milestone < 0 && HasScene(scene)) milestone = steps;
    };
    mark(milestones.bossEntry, "Warning");
    mark(milestones.gameClear, "GameClear");
    mark(milestones.gameOver, "GameOver");
}

std::string Simulation::Scenes() {
    std::string names;
    for (const Scene* s : Each<const Scene>(app->ScenePool())) {
        if (!names.empty()) names += ',';
        names += s->Name();
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
                  steps, StepsAsClock(steps).c_str(), world.GetScore().Text().c_str(),
                  world.GetLives(), ship ? ship->optionCount : 0, world.enemyPool.Count(),
                  world.bulletPool.Count(), world.itemPool.Count(), HashWorld(world),
                  Scenes().c_str());
    return line;
}
