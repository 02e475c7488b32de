#pragma once
// The states of the game's flow. Each lives in the scene pool, starts the next
// by creating it, and ends by returning false from its update.
#include "game/Scene.h"

// Begins a recorded game, at the moment of a step at which the title menu's
// START would: the replay then follows its steps from the next one on.
class ReplayStart : public Scene {
public:
    explicit ReplayStart(SceneHost& host) : Scene(host) {}
    const char* Name() const override { return "ReplayStart"; }
    bool Update(World&) override {
        host.StartGame();
        return false;
    }
};

// The title picture and its menu: START, VIDEO CHANGE, the video's sound, EXIT.
// Keys held when it appears do nothing until every menu key was let go once.
class TitleMenu : public Scene {
public:
    explicit TitleMenu(SceneHost& host) : Scene(host) {}
    const char* Name() const override { return "TitleMenu"; }
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int cursor = 0;
    bool held = true;
};

// "GET READY" for 51 updates, then the stage.
class GetReady : public Scene {
public:
    explicit GetReady(SceneHost& host) : Scene(host) {}
    const char* Name() const override { return "GetReady"; }
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int counter = 0;
};

// Runs the stage script, one tick per unpaused frame, and opens the pause.
class StageRunner : public Scene {
public:
    explicit StageRunner(SceneHost& host);
    const char* Name() const override { return "StageRunner"; }
    bool Update(World& world) override;

    bool held = true;
};

// Holds the field and the music until the pause key is pressed again.
class Pause : public Scene {
public:
    explicit Pause(SceneHost& host);
    ~Pause() override;
    const char* Name() const override { return "Pause"; }
    bool Update(World& world) override;
    void Draw(const World& world) override;

    bool held = true;
};

// "GAME OVER" (with "HI SCORE!" for a record) for 151 updates, then the title.
class GameOver : public Scene {
public:
    GameOver(SceneHost& host, bool newHighScore);
    const char* Name() const override { return "GameOver"; }
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int counter = 0;
    bool newHighScore;
};

// The boss's warning, blinking in ten-update phases for 120 updates.
class Warning : public Scene {
public:
    explicit Warning(SceneHost& host) : Scene(host) {}
    const char* Name() const override { return "Warning"; }
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int counter = 0;
};

// The ending: its music and the credits, until the music has played out.
class GameClear : public Scene {
public:
    GameClear(SceneHost& host, MusicRef piece);
    const char* Name() const override { return "GameClear"; }
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int counter = 0;
};

// Sets the music's volume once a frame, in even steps from one level to another.
class MusicFade : public Scene {
public:
    MusicFade(SceneHost& host, int count, float start, float end);
    const char* Name() const override { return "MusicFade"; }
    bool Update(World& world) override;

    int count;
    float volume;
    float step;
};
