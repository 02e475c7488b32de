#pragma once
#include <glm/glm.hpp>

#include "world/GameObject.h"

class Mesh;

// Things the ship collects by touching them. They home on the ship once near it.
class Item : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 80;
    static ObjectPool& PoolIn(World& world);

    Item(World& world, float x, float y);

    float spin = 0.0f;  // turns

protected:
    void DrawModel(Mesh& model, float scale) const;
};

enum class PowerKind { Option, Bomb };

// An option for the ship or, once it has ten, a screen bomb. Bounces inside
// the field until collected.
class PowerItem : public Item {
public:
    PowerItem(World& world, float x, float y, PowerKind kind);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    PowerKind kind;
    glm::vec2 velocity;

private:
    void Bounce();
};

// Ten points. Falls while there is no ship.
class ScoreItem : public Item {
public:
    ScoreItem(World& world, float x, float y);
    bool Update(World& world) override;
    void Draw(const World& world) override;
};
