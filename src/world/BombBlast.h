#pragma once
#include "world/GameObject.h"

class Mesh;

// A blast over the whole field: its model grows and fades for its duration.
class BombBlast : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 80;
    static ObjectPool& PoolIn(World& world);

    BombBlast(World& world, Mesh* model, int duration);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    Mesh* model;
    int age = 0;
    int duration;
};

// Collected from a bomb item: every bullet vanishes at once, and for 30 updates
// every enemy loses a hit point per update.
class ScreenBomb : public BombBlast {
public:
    explicit ScreenBomb(World& world);
    bool Update(World& world) override;
};
