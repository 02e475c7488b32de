#pragma once
// The whole game on the headless back ends, driven one step at a time from the
// title menu or from the start of a recorded game, with what a run is judged
// by: when the boss came, when the game was cleared or lost, when it went back
// to the title.
#include <cstdint>
#include <memory>
#include <string>

#include "app/HeadlessPlatform.h"
#include "game/GameApp.h"

class Simulation {
public:
    struct Milestones {
        int bossEntry = -1, gameClear = -1, gameOver = -1, backToTitle = -1;
    };

    // mediaDir: the game's files, with its trailing '/'. Without a stage
    // chosen, the title's choice is the game's first stage alone. The back ends are the
    // null ones unless options say otherwise. It starts at the title, with the
    // stage and the level `start` chooses.
    explicit Simulation(const std::string& mediaDir, HeadlessPlatform::Options options = {},
                        GameStart start = {});

    // The recorded game instead of the title (see GameApp::PlayReplay); its
    // own steps are the input from then on. Empty, or why it cannot be played.
    std::string PlayReplay(const Replay& replay);
    // START pressed on the title as a player presses it, and let go, until the
    // game begins; false when it does not.
    bool PressStart();
    // A practice of the chosen stage from one of its starts, instead of the
    // title; false when there is no such start.
    bool Practice(int start, int options);
    void Step(const PadState& pad = {});
    // The run is over once the game has come back to the title after a game,
    // or a replay has played its last step.
    bool Over() const { return milestones.backToTitle >= 0 || app->ReplayEnded(); }

    int Steps() const { return steps; }
    const Milestones& Reached() const { return milestones; }
    World& GetWorld() { return app->Play().Field(); }
    GameApp& App() { return *app; }
    HeadlessPlatform& Platform() { return platform; }
    bool AtTitle() const { return app->Scenes().Has(SceneKind::TitleMenu); }
    // One line: step, score, lives, options, scenes, enemies/bullets/items, hash.
    std::string Report();

private:
    HeadlessPlatform platform;
    std::unique_ptr<GameApp> app;
    int steps = 0;
    bool started = false;
    Milestones milestones;
};
