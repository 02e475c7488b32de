#include "world/BombBlast.h"
#include "graphics/Mesh.h"

#include "world/Depth.h"
#include "world/Enemy.h"
#include "world/EnemyBullet.h"
#include "world/World.h"

ObjectPool& BombBlast::PoolIn(World& world) {
    return world.bombPool;
}

BombBlast::BombBlast(World& world, Mesh* model, int duration)
    : GameObject(PoolIn(world), 0.0f, 0.0f, depth::kBombs), model(model), duration(duration) {}

bool BombBlast::Update(World&) {
    return ++age < duration;
}

void BombBlast::Draw(const World&) {
    float s = static_cast<float>(age) / static_cast<float>(duration);
    float scale = 20.0f * s + 1.0f;
    model->Draw({x, depth, -y}, {scale, scale, scale}, {0.2f, s, 0.0f}, RotationOrder::YX, 1.0f - s,
                false);
}

ScreenBomb::ScreenBomb(World& world) : BombBlast(world, &world.Model("bomb1"), 30) {
    world.PlaySound("sndBomb1");
}

bool ScreenBomb::Update(World& world) {
    CancelBulletsIf(world, [](const EnemyBullet&) { return true; });
    for (Enemy* e : Each<Enemy>(world.enemyPool))
        e->hitPoints -= 1.0f;
    return BombBlast::Update(world);
}
