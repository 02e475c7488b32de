#pragma once
#include <unordered_map>

#include <glm/glm.hpp>

#include "input/PadState.h"

class GameObject;
class World;

// A player that keeps firing, weaves from side to side across the lower field
// and dodges the one bullet or enemy that would come closest to the ship over
// the next few steps (paths guessed from how far things moved in the last one).
// It sees nothing else, so it can dodge into another bullet, as people do.
class WeavingBot {
public:
    PadState Play(const World& world);

private:
    int heading = 1;  // +1 right, -1 left
    std::unordered_map<const GameObject*, glm::vec2> lastSeen;
};

// A player who watches everything near: every step it tries each way to move,
// at full speed and focused, against the paths of all the bullets and enemies
// close by, and takes the one that keeps the most room; between threats it
// weaves as the weaving bot does. What clears a stage the weaving bot loses.
class CarefulBot {
public:
    PadState Play(const World& world);

private:
    int heading = 1;  // +1 right, -1 left
    std::unordered_map<const GameObject*, glm::vec2> lastSeen;
};

// A new player: fire held, sweeping from side to side across the lower field
// at full speed and turning only at the edges, whatever comes at the ship.
// What the first minute of a stage must be fair to.
class BlindBot {
public:
    PadState Play(const World& world);

private:
    int heading = 1;  // +1 right, -1 left
};
