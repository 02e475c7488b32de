#include "world/BombBlast.h"

#include "game/GameApp.h"
#include "world/Enemy.h"
#include "world/EnemyBullet.h"

ObjectPool& BombBlast::Pool() {
    return *App().bombPool;
}

BombBlast::BombBlast(Mesh* model, int duration)
    : GameObject(Pool(), 0.0f, 0.0f, -700.0f), model(model), duration(duration) {}

bool BombBlast::Update() {
    return ++age < duration;
}

void BombBlast::Draw() {
    float s = static_cast<float>(age) / static_cast<float>(duration);
    float scale = 20.0f * s + 1.0f;
    model->Draw({x, depth, -y}, {scale, scale, scale}, {0.2f, s, 0.0f}, 6, 1.0f - s, false);
}

ScreenBomb::ScreenBomb() : BombBlast(App().models.bomb1.get(), 30) {
    App().PlaySound(App().soundTable.sndBomb1);
}

bool ScreenBomb::Update() {
    CancelBulletsIf([](const EnemyBullet&) { return true; });
    for (Enemy* e : Each<Enemy>(Enemy::Pool()))
        e->hitPoints -= 1.0f;
    return BombBlast::Update();
}
