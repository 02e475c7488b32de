#pragma once
// The stage's end boss, one phase after another: it enters (the stage waits),
// a core fights under a time limit, then two pairs of parts do. Each phase
// creates the next in the boss's reserved enemy slots, so the fight always
// reaches its end and the stage goes on.
#include "world/Enemy.h"

// What every boss object shares: the big model at four times its size and a wide box.
class BossBody : public Enemy {
public:
    void Draw(const World& world) override;

protected:
    BossBody(World& world, const KindTuning& kind, float x, float y);
    // The bullets on the field turn into score items.
    void Explode(World& world) override;
};

// Halts the stage and warns, descends while the gauge fills, then becomes the core.
class BossIntro : public BossBody {
public:
    BossIntro(World& world, float x);
    bool Update(World& world) override;
};

// Rotating needle rings and aimed bursts until destroyed or out of time; then the parts.
class BossCore : public BossBody {
public:
    BossCore(World& world, float x, float y);
    bool Update(World& world) override;
};

// One of two linked pairs: drifts apart for 30 updates, then fires denser rings.
// A pair ends when its summed hit points run out or time does; the end of
// either pair ends the fight.
class BossPart : public BossBody {
public:
    BossPart(World& world, float x, float y, float drift);
    bool Update(World& world) override;

    float drift;  // x speed while drifting apart
    BossPart* partner = nullptr;

private:
    void EndPair(World& world, int timeLeft);
};

// A part that ran out of time flying off the top.
class BossEscape : public BossBody {
public:
    BossEscape(World& world, float x, float y);
    bool Update(World& world) override;
};
