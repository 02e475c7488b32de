#include "world/Enemy.h"

#include "graphics/Mesh.h"
#include "world/Depth.h"
#include "world/Explosion.h"
#include "world/World.h"

namespace {
constexpr float kSmallStartY = -54.0f, kSmallBottom = 58.0f, kSmallHalf = 2.5f;
constexpr float kSmallHitPoints = 10.0f;
constexpr int kSmallScore = 100;
constexpr float kSmallExplosion = 0.2f;
constexpr float kLargeStartY = -62.0f, kLargeBottom = 74.0f, kLargeHalf = 7.5f;
constexpr int kLargeScore = 1000;
constexpr float kLargeScale = 3.0f;
}  // namespace

ObjectPool& Enemy::Pool() {
    return CurrentWorld().enemyPool;
}

Enemy::Enemy(Mesh* model, float x, float y, float hitLeft, float hitTop, float hitRight,
             float hitBottom, float hitPoints, int score)
    : GameObject(Pool(), x, y, depth::kEnemies, hitLeft, hitTop, hitRight, hitBottom),
      model(model),
      variant(static_cast<int>(CurrentWorld().NextRandom() + 0.5)),
      hitPoints(hitPoints),
      score(score) {}

bool Enemy::Survives(float bottomLimit) {
    if (hitPoints <= 0.0f) {
        Die();
        return false;
    }
    return y < bottomLimit;
}

void Enemy::Die() {
    CurrentWorld().AddScore(score);
    Explode();
}

void Enemy::DrawModel(float scale) const {
    model->Draw({x, depth, -y}, {scale, scale, scale}, {0.125f, yaw, 0.0f}, RotationOrder::ZYX,
                1.0f, false);
}

SmallEnemy::SmallEnemy(Mesh* model, float x) : SmallEnemy(model, x, kSmallHalf) {}

SmallEnemy::SmallEnemy(Mesh* model, float x, float hitHalf)
    : Enemy(model, x, kSmallStartY, -hitHalf, -hitHalf, hitHalf, hitHalf, kSmallHitPoints,
            kSmallScore) {}

void SmallEnemy::Draw() {
    DrawModel(1.0f);
}

bool SmallEnemy::Survives() {
    return Enemy::Survives(kSmallBottom);
}

void SmallEnemy::Explode() {
    Create<Explosion>(x, y, kSmallExplosion);
}

LargeEnemy::LargeEnemy(Mesh* model, float x, float hitPoints)
    : LargeEnemy(model, x, kLargeStartY, hitPoints) {}

LargeEnemy::LargeEnemy(Mesh* model, float x, float y, float hitPoints)
    : Enemy(model, x, y, -kLargeHalf, -kLargeHalf, kLargeHalf, kLargeHalf, hitPoints, kLargeScore) {
}

void LargeEnemy::Draw() {
    DrawModel(kLargeScale);
}

bool LargeEnemy::Survives() {
    return Enemy::Survives(kLargeBottom);
}

void LargeEnemy::Explode() {
    Create<LargeExplosion>(x, y);
}
