#pragma once
#include "world/GameObject.h"

class Mesh;

// The base of everything in the enemy pool. Shots, bombs and the ship lower
// hitPoints directly; each kind checks them in its own update.
class Enemy : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 96;
    static ObjectPool& Pool();

    Enemy(Mesh* model, float x, float y, float hitLeft, float hitTop, float hitRight,
          float hitBottom, float hitPoints, int score);

    Mesh* model;
    float yaw = 0.0f;  // turns
    int counter = 0;
    int variant;  // colour of the bullets it fires, 0 or 1
    float hitPoints;
    int score;  // points on destruction
};
