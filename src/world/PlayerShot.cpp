#include "world/PlayerShot.h"
#include "graphics/Mesh.h"

#include "world/Collision.h"
#include "world/Depth.h"
#include "world/Effect.h"
#include "world/Enemy.h"
#include "world/FieldMath.h"
#include "world/World.h"

ObjectPool& PlayerShot::PoolIn(World& world) {
    return world.playerShotPool;
}

PlayerShot::PlayerShot(World& world, float x, float y, float direction)
    : GameObject(PoolIn(world), x, y, depth::kPlayerShots, -4.0f, -4.0f, 4.0f, 4.0f),
      velocity(2.4f * Direction(direction)),
      yaw(direction + 0.25f) {}

bool PlayerShot::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    for (Enemy* e : Each<Enemy>(world.enemyPool)) {
        if (Overlaps(*this, *e)) {
            e->hitPoints -= 1.0f;
            for (int i = 0; i < 3; ++i)
                world.Spawn<HitSpark>(x, y, i);
            return false;
        }
    }
    return !IsOutside(*this, 5.0f);
}

void PlayerShot::Draw(const World& world) {
    world.Model("shot").Draw({x, depth, -y}, {1.0f, 1.0f, 1.0f}, {0.0f, yaw, 0.0f},
                             RotationOrder::ZYX, 1.0f, false);
}
