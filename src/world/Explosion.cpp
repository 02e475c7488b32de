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

Explosion::Explosion(float x, float y, float size) : Effect(x, y), size(size) {
    Create<ScoreItem>(x, y);
    CurrentWorld().PlaySound("sndBom1");
}

bool Explosion::Update() {
    return ++age < 26;
}

void Explosion::Draw() {
    float s = static_cast<float>(age) * size + size;
    CurrentWorld().Model("crash_1").Draw({x, depth, -y}, {s, 1.0f, s}, {0.0f, 0.0f, 0.0f},
                                         RotationOrder::ZYX, 1.0f - 0.04f * static_cast<float>(age),
                                         false);
}

LargeExplosion::LargeExplosion(float x, float y) : Explosion(x, y, 0.6f) {
    World& world = CurrentWorld();
    for (int i = 0; i < kLargeScoreItems; ++i) {
        double s1 = world.RandomSigned();
        double s2 = world.RandomSigned();
        Create<ScoreItem>(static_cast<float>(x + kScatter * s2),
                          static_cast<float>(y + kScatter * s1));
    }
    if (PlayerShip* ship = world.GetPlayer()) {
        Create<PowerItem>(
            x, y,
            ship->optionCount < PlayerShip::kMaxOptions ? PowerKind::Option : PowerKind::Bomb);
    }
    CancelBulletsIf([x, y](const EnemyBullet& b) {
        float dx = b.x - x, dy = b.y - y;
        return dx * dx + dy * dy < kCancelRadiusSquared;
    });
    world.PlaySound("sndCrash");
}

BossExplosion::BossExplosion(float x, float y) : Explosion(x, y, 2.0f) {
    CancelBulletsIf([](const EnemyBullet& b) {
        Create<ScoreItem>(b.x, b.y);
        return true;
    });
    CurrentWorld().PlaySound("sndBossOut");
}
