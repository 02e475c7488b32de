#pragma once
#include "world/Effect.h"

// A destroyed enemy: a growing, fading burst that leaves a score item.
class Explosion : public Effect {
public:
    Explosion(float x, float y, float size);
    bool Update() override;
    void Draw() override;

    int age = 0;
    float size;
};

// A large enemy's end: more score items, a power item for the ship, and the
// bullets close by cancelled.
class LargeExplosion : public Explosion {
public:
    LargeExplosion(float x, float y);
};

// The boss's end: every bullet on the field turns into a score item.
class BossExplosion : public Explosion {
public:
    BossExplosion(float x, float y);
};
