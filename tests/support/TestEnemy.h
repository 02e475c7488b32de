#pragma once
#include "support/GameContent.h"
#include "world/Enemy.h"
#include "world/World.h"

// A small enemy that stands where it is put and dies like any other.
struct TestEnemy : SmallEnemy {
    TestEnemy(World& world, float x, float y, float hitPoints = 10.0f)
        : SmallEnemy(world, GameKind("obj1"), x) {
        this->y = y;
        this->hitPoints = hitPoints;
    }
    bool Update(World& world) override { return Survives(world); }
};
