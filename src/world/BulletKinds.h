#pragma once
#include <glm/glm.hpp>

#include "world/EnemyBullet.h"

// Flies straight in a direction (turns), its speed changing along the way.
class AngleBullet : public EnemyBullet {
public:
    AngleBullet(World& world, const ModelTable& table, int variant, float x, float y,
                float direction, float speed, float acceleration);
    bool Update(World& world) override;

protected:
    // heading in radians; yaw in turns.
    AngleBullet(World& world, const ModelTable& table, int variant, float x, float y,
                double heading, float yaw, float speed, float acceleration);

    glm::vec2 velocity;
    glm::vec2 accelVector;
};

// Flies straight at a target, turned by an offset (turns).
class AimedBullet : public AngleBullet {
public:
    AimedBullet(World& world, const ModelTable& table, int variant, float x, float y, float targetX,
                float targetY, float offset, float speed, float acceleration);

private:
    AimedBullet(World& world, const ModelTable& table, int variant, float x, float y,
                double heading, float speed, float acceleration);
};

// Flies straight, then after 30 updates turns once toward the ship, if there is one.
class RetargetNeedle : public EnemyBullet {
public:
    RetargetNeedle(World& world, const ModelTable& table, int variant, float x, float y,
                   float direction, float speed);
    bool Update(World& world) override;

    glm::vec2 velocity;
    float needleSpeed;
    int retargetTimer = 30;
};

// Flies straight and on its 50th update bursts into five needles that spread
// over 0.8 of a turn around its direction.
class SplitBullet : public EnemyBullet {
public:
    SplitBullet(World& world, const ModelTable& table, int variant, float x, float y,
                float direction, float speed);
    bool Update(World& world) override;
    void Draw(const World& world) override;

    float splitDirection;
    float splitSpeed;
    int fuse = 50;
    glm::vec2 velocity;
};
