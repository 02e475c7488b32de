#pragma once
// A boss, one phase after another as its content describes: it enters (the
// stage holds while it fights), then each phase fights under its time limit,
// one body or two linked pairs. Each phase creates the next in the boss's
// reserved enemy slots, so the fight always reaches its end and the stage goes on.
#include "world/Enemy.h"
#include "world/EnemyKind.h"
#include "world/PatternBullet.h"

// What every boss object shares: its model at four times its size and a wide box.
class BossBody : public Enemy {
public:
    void Draw(const World& world) override;

    const BossKind& boss;
    int fight;  // of the field's boss fights

protected:
    BossBody(World& world, const BossKind& boss, int fight, float x, float y, float hitPoints,
             int score);
    // The bullets on the field turn into score items.
    void Explode(World& world) override;
    // The updates the fight had left before this one.
    int TakeTime(World& world);
    // The fight is over: the field and the game around it are told.
    void EndFight(World& world);
};

// Warns (unless a mid-boss), descends while the gauge fills, then the first phase comes.
class BossIntro : public BossBody {
public:
    BossIntro(World& world, const BossKind& boss, int fight, float x);
    bool Update(World& world) override;
};

// A fighting phase's body: fires its volleys, turns, and drifts first if its phase says so.
class BossPhaseBody : public BossBody {
protected:
    BossPhaseBody(World& world, const BossKind& boss, int fight, int phase, float x, float y);
    const BossPhase& Phase() const { return boss.phases[static_cast<std::size_t>(phase)]; }
    // Moves and fires one update.
    void Fight(World& world, float drift);
    // Whether a later phase has begun: this body has no part in it.
    bool Superseded(const World& world) const;
    // The phase after this one is there: it begins at (atX, atY).
    bool NextPhaseBegins(World& world, bool destroyed, float atX, float atY);
    // Ten points for every update left, where the phase has a time limit.
    int TimeBonus(int left) const;
    static constexpr int kNoTimeLimit = 1 << 30;

    int phase;
    int serial;  // of the fight's phase starts, when this one began
    float fullHitPoints;

private:
    PatternEmitter patterns[kMaxPhasePatterns];
};

// A phase of one body, until it is destroyed or out of time.
class BossCore : public BossPhaseBody {
public:
    BossCore(World& world, const BossKind& boss, int fight, int phase, float x, float y);
    bool Update(World& world) override;
};

// One of two linked pairs: drifts apart, then fires. A pair ends when its
// summed hit points run out or time does; the end of either pair ends the phase.
class BossPart : public BossPhaseBody {
public:
    BossPart(World& world, const BossKind& boss, int fight, int phase, float x, float y,
             float drift);
    bool Update(World& world) override;

    float drift;  // x speed while drifting apart
    BossPart* partner = nullptr;

private:
    void EndPair(World& world, int timeLeft);
};

// A body that ran out of time flying off the top.
class BossEscape : public BossBody {
public:
    BossEscape(World& world, const BossKind& boss, float x, float y);
    bool Update(World& world) override;
};

// Brings a boss in at x through the reserved slots, in the field's first free
// fight; null when there was no slot.
Enemy* SpawnBoss(World& world, const BossKind& boss, float x);
