#pragma once
#include <cstdint>

class StageHost;
class StageScript;
struct BossKind;
struct EnemyKind;
struct MusicChoice;

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

// "boss", or "teki" of a boss: the boss at x; the stage holds until its fight ends.
class BossCommand : public ScriptCommand {
public:
    BossCommand(StageHost& host, StageScript& script, const BossKind& boss, float x, bool endsStage)
        : host(host), script(script), boss(boss), x(x), endsStage(endsStage) {}
    void Execute() override;

    StageHost& host;
    StageScript& script;
    const BossKind& boss;
    float x;
    bool endsStage;
};

// "sleep": the stage waits this many frames.
class SleepCommand : public ScriptCommand {
public:
    SleepCommand(StageScript& script, int frames) : script(script), frames(frames) {}
    void Execute() override;

    StageScript& script;
    int frames;
};

// "play": a piece of music; none when the line named none the game has.
class PlayCommand : public ScriptCommand {
public:
    PlayCommand(StageHost& host, const MusicChoice* piece) : host(host), piece(piece) {}
    void Execute() override;

    StageHost& host;
    const MusicChoice* piece;
};

// "background": the floor under the field takes this colour.
class BackgroundCommand : public ScriptCommand {
public:
    BackgroundCommand(StageHost& host, uint32_t colour) : host(host), colour(colour) {}
    void Execute() override;

    StageHost& host;
    uint32_t colour;
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

// "clear": the stage is cleared, the ending playing its piece.
class ClearCommand : public ScriptCommand {
public:
    ClearCommand(StageHost& host, const MusicChoice* piece) : host(host), piece(piece) {}
    void Execute() override;

    StageHost& host;
    const MusicChoice* piece;
};
