#pragma once
#include "input/PadState.h"

class World;

// A player that keeps firing, weaves from side to side across the lower field
// and steps away from the bullet or enemy closest to the ship.
class WeavingBot {
public:
    PadState Play(const World& world);

private:
    int heading = 1;  // +1 right, -1 left
};
