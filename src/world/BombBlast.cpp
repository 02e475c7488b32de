#include "world/BombBlast.h"
#include "graphics/Mesh.h"

#include "world/Depth.h"
#include "world/Enemy.h"
#include "world/EnemyBullet.h"
#include "world/World.h"

ObjectPool& BombBlast::Pool() {
    return CurrentWorld().bombPool;
}

BombBlast::BombBlast(Mesh* model, int duration)
    : GameObject(Pool(), 0.0f, 0.0f, depth::kBombs), model(model), duration(duration) {}

bool BombBlast::Update() {
    return ++age < duration;
}

void BombBlast::Draw() {
    float s = static_cast<float>(age) / static_cast<float>(duration);
    float scale = 20.0f * s + 1.0f;
    model->Draw({x, depth, -y}, {scale, scale, scale}, {0.2f, s, 0.0f}, RotationOrder::YX, 1.0f - s,
                false);
}

ScreenBomb::ScreenBomb() : BombBlast(&CurrentWorld().Model("bomb1"), 30) {
    CurrentWorld().PlaySound("sndBomb1");
}

bool ScreenBomb::Update() {
    CancelBulletsIf([](const EnemyBullet&) { return true; });
    for (Enemy* e : Each<Enemy>(Enemy::Pool()))
        e->hitPoints -= 1.0f;
    return BombBlast::Update();
}
