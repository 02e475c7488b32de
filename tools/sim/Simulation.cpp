#include "Simulation.h"

#include <cinttypes>
#include <cstdio>

#include "util/StepClock.h"
#include "world/PlayerShip.h"
#include "world/WorldHash.h"

namespace {

HeadlessPlatform::Options In(const std::string& mediaDir, HeadlessPlatform::Options options) {
    options.mediaDir = mediaDir;
    return options;
}

GameStart FirstStageUnlessChosen(GameStart start, const std::string& mediaDir) {
    if (start.stage.empty() && !start.wholeGame) start.stage = DeliveredStage(mediaDir);
    return start;
}

}  // namespace

Simulation::Simulation(const std::string& mediaDir, HeadlessPlatform::Options options,
                       GameStart start)
    : platform(In(mediaDir, std::move(options))),
      app(std::make_unique<GameApp>(platform, FirstStageUnlessChosen(std::move(start), mediaDir))) {
    app->ShowTitle();
}

std::string Simulation::PlayReplay(const Replay& replay) {
    app->Scenes().Clear();  // no title: the game begins at once
    return app->PlayReplay(replay);
}

bool Simulation::PressStart() {
    for (int press = 0; AtTitle() && press < 10; ++press) {
        PadState pad;
        pad.buttons[kButtonFire] = steps % 2 == 1;
        Step(pad);
    }
    return !AtTitle();
}

bool Simulation::Practice(int start, int options) {
    app->Scenes().Clear();
    if (app->Practice(start, options)) return true;
    app->ShowTitle();
    return false;
}

void Simulation::Step(const PadState& pad) {
    platform.input->Append(pad);
    app->Update();
    ++steps;
    bool title = AtTitle();
    if (!title) started = true;
    if (started && title && milestones.backToTitle < 0) milestones.backToTitle = steps;
    auto mark = [&](int& milestone, SceneKind scene) {
        if (milestone < 0 && app->Scenes().Has(scene)) milestone = steps;
    };
    mark(milestones.bossEntry, SceneKind::Warning);
    mark(milestones.gameClear, SceneKind::GameClear);
    mark(milestones.gameOver, SceneKind::GameOver);
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
                  app->Scenes().Count() ? app->Scenes().Names().c_str() : "-");
    return line;
}
