#pragma once
#include "world/PlayerShip.h"

// Flies in from below the field with its options gathered on it, then hands
// over to PlayerActive. Neither fires nor collides.
class PlayerEntry : public PlayerShip {
public:
    explicit PlayerEntry(int optionCount);
    bool Update() override;
};

// The ship in play: dies from a single hit by a bullet or an enemy, and grazes
// bullets that pass close for points.
class PlayerActive : public PlayerShip {
public:
    PlayerActive(float x, float y, int optionCount);
    bool Update() override;

    float hitPoints = 1.0f;

private:
    void CollideWithEnemies();
    void CollideWithBullets();
};

// Back after a death: blinks under a shield and cannot be hit for 121 updates.
class PlayerRespawn : public PlayerShip {
public:
    PlayerRespawn(float x, float y, int optionCount);
    bool Update() override;
    void Draw() override;

    int respawnTime = 0;
};
