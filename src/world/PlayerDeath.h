#pragma once
#include "world/Effect.h"

// The ship's death: a burst for 51 updates, then a life is lost and the ship
// comes back without its options, about half of which are dropped to collect
// again; with no life left, ten are dropped and no ship comes back.
class PlayerDeath : public Effect {
public:
    PlayerDeath(World& world, float x, float y, int options);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int deathTime = 0;
    int deathOptions;

private:
    void DropOptions(World& world, int count);
};
