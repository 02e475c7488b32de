#pragma once
#include <glm/glm.hpp>

#include "world/GameObject.h"

class Mesh;

// Things the ship collects by touching them. They home on the ship once near it.
class Item : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 80;
    static ObjectPool& Pool();

    Item(float x, float y);

    float spin = 0.0f;  // turns

protected:
    void DrawModel(Mesh& model, float scale);
};

enum class PowerKind { Option, Bomb };

// An option for the ship or, once it has ten, a screen bomb. Bounces inside
// the field until collected.
class PowerItem : public Item {
public:
    PowerItem(float x, float y, PowerKind kind);
    bool Update() override;
    void Draw() override;

    PowerKind kind;
    glm::vec2 velocity;

private:
    void Bounce();
};

// Ten points. Falls while there is no ship.
class ScoreItem : public Item {
public:
    ScoreItem(float x, float y);
    bool Update() override;
    void Draw() override;
};
