#pragma once
#include "world/Effect.h"

// A destroyed enemy: a growing, fading burst that leaves a score item.
class Explosion : public Effect {
public:
    Explosion(World& world, float x, float y, float size);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int age = 0;
    float size;
};

// A large enemy's end: more score items, a power item for the ship, and the
// bullets close by cancelled.
class LargeExplosion : public Explosion {
public:
    LargeExplosion(World& world, float x, float y);
};

// The boss's end: every bullet on the field turns into a score item.
class BossExplosion : public Explosion {
public:
    BossExplosion(World& world, float x, float y);
};
