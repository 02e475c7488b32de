#pragma once
#include <glm/glm.hpp>

#include "world/GameObject.h"

// A shot of the ship's volley: flies straight and is used up on the first enemy
// it hits, in list order.
class PlayerShot : public GameObject {
public:
    static constexpr std::size_t kSlotSize = 80;
    static ObjectPool& Pool();

    PlayerShot(float x, float y, float direction);
    bool Update() override;
    void Draw() override;

    glm::vec2 velocity;
    float yaw;
};
