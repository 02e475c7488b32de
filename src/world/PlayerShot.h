#pragma once
#include <glm/glm.hpp>

#include "world/GameObject.h"

// A shot of the ship's volley: flies straight and is used up on the first enemy
// it hits, in list order.
class PlayerShot : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 80;
    static ObjectPool& PoolIn(World& world);

    PlayerShot(World& world, float x, float y, float direction);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    glm::vec2 velocity;
    float yaw;
};
