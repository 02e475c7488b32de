#pragma once
// The stage's end boss, one phase after another: it enters (the stage waits),
// a core fights under a time limit, then two pairs of parts do. Each phase
// creates the next in the boss's reserved enemy slots, so the fight always
// reaches its end and the stage goes on.
#include "world/Enemy.h"

// What every boss object shares: the big model at four times its size and a wide box.
class BossBody : public Enemy {
public:
    void Draw() override;

protected:
    BossBody(float x, float y, float hitPoints, int score);
    // The bullets on the field turn into score items.
    void Explode() override;
};

// Halts the stage and warns, descends while the gauge fills, then becomes the core.
class BossIntro : public BossBody {
public:
    explicit BossIntro(float x);
    bool Update() override;
};

// Rotating needle rings and aimed bursts until destroyed or out of time; then the parts.
class BossCore : public BossBody {
public:
    BossCore(float x, float y);
    bool Update() override;
};

// One of two linked pairs: drifts apart for 30 updates, then fires denser rings.
// A pair ends when its summed hit points run out or time does; the end of
// either pair ends the fight.
class BossPart : public BossBody {
public:
    BossPart(float x, float y, float drift);
    bool Update() override;

    float drift;  // x speed while drifting apart
    BossPart* partner = nullptr;

private:
    void EndPair(int timeLeft);
};

// A part that ran out of time flying off the top.
class BossEscape : public BossBody {
public:
    BossEscape(float x, float y);
    bool Update() override;
};
