#include "world/EnemyBullet.h"

#include "game/GameApp.h"
#include "world/Collision.h"

ObjectPool& EnemyBullet::Pool() {
    return *App().bulletPool;
}

EnemyBullet::EnemyBullet(const ModelTable& table, int variant, float x, float y, float yaw)
    : GameObject(Pool(), x, y, -100.0f, -0.3f, -0.3f, 0.3f, 0.3f),
      model(table.models[variant]),
      yaw(yaw),
      spin(table.spin),
      variant(variant) {}

bool EnemyBullet::Update() {
    yaw += spin;
    return !IsOutside(*this, 4.0f);
}

void EnemyBullet::Draw() {
    DrawScaled(1.0f);
}

void EnemyBullet::DrawScaled(float scale) {
    model->Draw({x, depth, -y}, {scale, scale, scale}, {0.0f, yaw, 0.0f}, 15, 1.0f, false);
}
