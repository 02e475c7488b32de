#pragma once
// The regular enemies the stage brings in by name. Each moves on its own path
// and fires its own pattern; the aimed and fanned ones hold fire while there is
// no ship, the drifting ones fire blindly.
#include <glm/glm.hpp>

#include "world/Enemy.h"

// Dives straight down, spinning; a three-way spread at the start of every hundred updates.
class EnemyObj1 : public SmallEnemy {
public:
    EnemyObj1(World& world, float x);
    bool Update(World& world) override;
};

// Weaves down the field; single shots at the ship while counter mod 100 is at most 20.
class EnemyObj2 : public SmallEnemy {
public:
    EnemyObj2(World& world, float x);
    bool Update(World& world) override;
};

// Drifts along a heading drawn at birth and now and then drops a bullet
// that flies back up the field and splits.
class EnemyObj3 : public SmallEnemy {
public:
    EnemyObj3(World& world, float x);
    bool Update(World& world) override;

    glm::vec2 velocity;
};

// Dives straight down; wide fans, seventeen and sixteen bullets by turns of two hundred updates.
class EnemyBig1 : public LargeEnemy {
public:
    EnemyBig1(World& world, float x);
    bool Update(World& world) override;
};

// Weaves down the field; five-way bursts at the ship.
class EnemyBig2 : public LargeEnemy {
public:
    EnemyBig2(World& world, float x);
    bool Update(World& world) override;
};

// Drifts like EnemyObj3, dropping five splitting bullets at once.
class EnemyBig3 : public LargeEnemy {
public:
    EnemyBig3(World& world, float x);
    bool Update(World& world) override;

    glm::vec2 velocity;
};
