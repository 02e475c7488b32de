#pragma once
#include "world/PlayerShip.h"

// Flies in from below the field with its options gathered on it, then hands
// over to PlayerActive. Neither fires nor collides.
class PlayerEntry : public PlayerShip {
public:
    PlayerEntry(World& world, int optionCount);
    bool Update(World& world) override;
};

// The ship in play: dies from a single hit by a bullet or an enemy, and grazes
// bullets that pass close for points.
class PlayerActive : public PlayerShip {
public:
    PlayerActive(World& world, float x, float y, int optionCount);
    bool Update(World& world) override;

    float hitPoints = 1.0f;

private:
    void CollideWithEnemies(World& world);
    void CollideWithBullets(World& world);
};

// Back after a death: blinks under a shield and cannot be hit for 121 updates.
class PlayerRespawn : public PlayerShip {
public:
    PlayerRespawn(World& world, float x, float y, int optionCount);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int respawnTime = 0;
};
