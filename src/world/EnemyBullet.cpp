#include "world/EnemyBullet.h"
#include "graphics/Mesh.h"

#include "world/Collision.h"
#include "world/Depth.h"
#include "world/World.h"

ObjectPool& EnemyBullet::PoolIn(World& world) {
    return world.bulletPool;
}

EnemyBullet::EnemyBullet(World& world, const ModelTable& table, int variant, float x, float y,
                         float yaw)
    : GameObject(PoolIn(world), x, y, depth::kEnemyBullets, -0.3f, -0.3f, 0.3f, 0.3f),
      model(table.models[variant]),
      yaw(yaw),
      spin(table.spin),
      variant(variant) {}

bool EnemyBullet::Update(World&) {
    yaw += spin;
    return !IsOutside(*this, 4.0f);
}

void EnemyBullet::Draw(const World&) {
    DrawScaled(1.0f);
}

void EnemyBullet::DrawScaled(float scale) {
    model->Draw({x, depth, -y}, {scale, scale, scale}, {0.0f, yaw, 0.0f}, RotationOrder::ZYX, 1.0f,
                false);
}
