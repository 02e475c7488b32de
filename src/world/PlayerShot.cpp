#include "world/PlayerShot.h"
#include "graphics/Mesh.h"

#include "world/Collision.h"
#include "world/Depth.h"
#include "world/Effect.h"
#include "world/Enemy.h"
#include "world/FieldMath.h"
#include "world/World.h"

ObjectPool& PlayerShot::Pool() {
    return CurrentWorld().playerShotPool;
}

PlayerShot::PlayerShot(float x, float y, float direction)
    : GameObject(Pool(), x, y, depth::kPlayerShots, -4.0f, -4.0f, 4.0f, 4.0f),
      velocity(2.4f * Direction(direction)),
      yaw(direction + 0.25f) {}

bool PlayerShot::Update() {
    x += velocity.x;
    y += velocity.y;
    for (Enemy* e : Each<Enemy>(Enemy::Pool())) {
        if (Overlaps(*this, *e)) {
            e->hitPoints -= 1.0f;
            for (int i = 0; i < 3; ++i)
                Create<HitSpark>(x, y, i);
            return false;
        }
    }
    return !IsOutside(*this, 5.0f);
}

void PlayerShot::Draw() {
    CurrentWorld().Model("shot").Draw({x, depth, -y}, {1.0f, 1.0f, 1.0f}, {0.0f, yaw, 0.0f},
                                      RotationOrder::ZYX, 1.0f, false);
}
