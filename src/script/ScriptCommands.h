#pragma once
#include "script/EnemyFactory.h"

class StageHost;
class StageScript;

// One line of the stage, ready to run.
class ScriptCommand {
public:
    virtual ~ScriptCommand() = default;
    virtual void Execute() = 0;
};

// "teki": an enemy of a kind at x.
class SpawnCommand : public ScriptCommand {
public:
    SpawnCommand(StageHost& host, const EnemyKind& kind, float x) : host(host), kind(kind), x(x) {}
    void Execute() override;

    StageHost& host;
    const EnemyKind& kind;
    float x;
};

// "sleep": the stage waits this many frames.
class SleepCommand : public ScriptCommand {
public:
    SleepCommand(StageScript& script, int frames) : script(script), frames(frames) {}
    void Execute() override;

    StageScript& script;
    int frames;
};

// "play": a piece of music.
class PlayCommand : public ScriptCommand {
public:
    PlayCommand(StageHost& host, int piece) : host(host), piece(piece) {}
    void Execute() override;

    StageHost& host;
    int piece;
};

// "fadeout": the music fades over this many frames.
class FadeOutCommand : public ScriptCommand {
public:
    FadeOutCommand(StageHost& host, int frames) : host(host), frames(frames) {}
    void Execute() override;

    StageHost& host;
    int frames;
};

// "gameover": the game ends.
class GameOverCommand : public ScriptCommand {
public:
    explicit GameOverCommand(StageHost& host) : host(host) {}
    void Execute() override;

    StageHost& host;
};
