#include "world/Explosion.h"
#include "graphics/Mesh.h"

#include "world/EnemyBullet.h"
#include "world/Item.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {
constexpr float kCancelRadiusSquared = 1000.0f;
constexpr float kScatter = 20.0f;
constexpr int kLargeScoreItems = 10;
}  // namespace

Explosion::Explosion(World& world, float x, float y, float size) : Effect(world, x, y), size(size) {
    world.Spawn<ScoreItem>(x, y);
    world.PlaySound("sndBom1");
}

bool Explosion::Update(World&) {
    return ++age < 26;
}

void Explosion::Draw(const World& world) {
    float s = static_cast<float>(age) * size + size;
    world.Model("crash_1").Draw({x, depth, -y}, {s, 1.0f, s}, {0.0f, 0.0f, 0.0f},
                                RotationOrder::ZYX, 1.0f - 0.04f * static_cast<float>(age), false);
}

LargeExplosion::LargeExplosion(World& world, float x, float y) : Explosion(world, x, y, 0.6f) {
    for (int i = 0; i < kLargeScoreItems; ++i) {
        double s1 = world.RandomSigned();
        double s2 = world.RandomSigned();
        world.Spawn<ScoreItem>(static_cast<float>(x + kScatter * s2),
                               static_cast<float>(y + kScatter * s1));
    }
    if (PlayerShip* ship = world.GetPlayer()) {
        world.Spawn<PowerItem>(
            x, y,
            ship->optionCount < PlayerShip::kMaxOptions ? PowerKind::Option : PowerKind::Bomb);
    }
    CancelBulletsIf(world, [x, y](const EnemyBullet& b) {
        float dx = b.x - x, dy = b.y - y;
        return dx * dx + dy * dy < kCancelRadiusSquared;
    });
    world.PlaySound("sndCrash");
}

BossExplosion::BossExplosion(World& world, float x, float y) : Explosion(world, x, y, 2.0f) {
    CancelBulletsIf(world, [&world](const EnemyBullet& b) {
        world.Spawn<ScoreItem>(b.x, b.y);
        return true;
    });
    world.PlaySound("sndBossOut");
}
