#include "world/Enemy.h"

#include "graphics/Mesh.h"
#include "world/Depth.h"
#include "world/Explosion.h"
#include "world/World.h"

namespace {
constexpr float kSmallStartY = -54.0f, kSmallBottom = 58.0f, kSmallHalf = 2.5f;
constexpr float kSmallExplosion = 0.2f;
constexpr float kLargeStartY = -62.0f, kLargeBottom = 74.0f, kLargeHalf = 7.5f;
constexpr float kLargeScale = 3.0f;
}  // namespace

ObjectPool& Enemy::PoolIn(World& world) {
    return world.enemyPool;
}

Enemy::Enemy(World& world, Mesh* model, float x, float y, float hitLeft, float hitTop,
             float hitRight, float hitBottom, float hitPoints, int score)
    : GameObject(PoolIn(world), x, y, depth::kEnemies, hitLeft, hitTop, hitRight, hitBottom),
      model(model),
      variant(static_cast<int>(world.NextRandom() + 0.5)),
      hitPoints(hitPoints),
      score(score) {}

Enemy::Enemy(World& world, SizeClass size, float x, int model, const KindTuning& tuning)
    : Enemy(world, &world.ModelAt(model), x, size == SizeClass::Small ? kSmallStartY : kLargeStartY,
            size == SizeClass::Small ? -kSmallHalf : -kLargeHalf,
            size == SizeClass::Small ? -kSmallHalf : -kLargeHalf,
            size == SizeClass::Small ? kSmallHalf : kLargeHalf,
            size == SizeClass::Small ? kSmallHalf : kLargeHalf,
            tuning.hitPoints.At(world.GetDifficulty()), tuning.score) {}

float Enemy::Bottom(SizeClass size) {
    return size == SizeClass::Small ? kSmallBottom : kLargeBottom;
}

float Enemy::Scale(SizeClass size) {
    return size == SizeClass::Small ? 1.0f : kLargeScale;
}

void Enemy::ExplodeAs(World& world, Drops drops) {
    if (drops == Drops::Item) {
        world.Spawn<Explosion>(x, y, kSmallExplosion);
    } else {
        world.Spawn<LargeExplosion>(x, y);
    }
}

bool Enemy::Survives(World& world, float bottomLimit) {
    if (hitPoints <= 0.0f) {
        Die(world);
        return false;
    }
    return y < bottomLimit;
}

void Enemy::Die(World& world) {
    world.AddScore(score);
    ++world.tally.destroyed;
    Explode(world);
}

void Enemy::DrawModel(float scale) const {
    model->Draw({x, depth, -y}, {scale, scale, scale}, {0.125f, yaw, 0.0f}, RotationOrder::ZYX,
                1.0f, false);
}

SmallEnemy::SmallEnemy(World& world, const EnemyKind& kind, float x)
    : SmallEnemy(world, kind, x, kSmallHalf) {}

SmallEnemy::SmallEnemy(World& world, const EnemyKind& kind, float x, float hitHalf)
    : Enemy(world, &world.ModelAt(kind.model), x, kSmallStartY, -hitHalf, -hitHalf, hitHalf,
            hitHalf, kind.tuning.hitPoints.At(world.GetDifficulty()), kind.tuning.score) {}

void SmallEnemy::Draw(const World&) {
    DrawModel(Scale(SizeClass::Small));
}

bool SmallEnemy::Survives(World& world) {
    return Enemy::Survives(world, kSmallBottom);
}

void SmallEnemy::Explode(World& world) {
    ExplodeAs(world, Drops::Item);
}

LargeEnemy::LargeEnemy(World& world, const EnemyKind& kind, float x)
    : LargeEnemy(world, kind, x, kLargeStartY) {}

LargeEnemy::LargeEnemy(World& world, const EnemyKind& kind, float x, float y)
    : Enemy(world, &world.ModelAt(kind.model), x, y, -kLargeHalf, -kLargeHalf, kLargeHalf,
            kLargeHalf, kind.tuning.hitPoints.At(world.GetDifficulty()), kind.tuning.score) {}

void LargeEnemy::Draw(const World&) {
    DrawModel(Scale(SizeClass::Large));
}

bool LargeEnemy::Survives(World& world) {
    return Enemy::Survives(world, kLargeBottom);
}

void LargeEnemy::Explode(World& world) {
    ExplodeAs(world, Drops::Scatter);
}
