#pragma once
#include <glm/glm.hpp>

#include "world/GameObject.h"

class Mesh;

// Short-lived visuals, ended by age. No hit box.
class Effect : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 80;
    static ObjectPool& PoolIn(World& world);

    Effect(World& world, float x, float y);
};

// What is left of a cancelled bullet: its model squashed and turned away.
class VanishEffect : public Effect {
public:
    VanishEffect(World& world, float x, float y, Mesh* model);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    Mesh* model;
    int age = 0;
};

// A bullet grazed by the ship.
class GrazeSpark : public Effect {
public:
    GrazeSpark(World& world, float x, float y);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    int age = 0;
};

// A shot's hit: three of them fly down the field, the later ones starting late.
class HitSpark : public Effect {
public:
    HitSpark(World& world, float x, float y, int index);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    glm::vec2 velocity;
    float scale = 0.6f;
    float alpha = 1.0f;
    int age;
};
