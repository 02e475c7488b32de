#include "world/PlayerStates.h"
#include "graphics/Mesh.h"

#include <cmath>

#include "world/Collision.h"
#include "world/Depth.h"
#include "world/Effect.h"
#include "world/Enemy.h"
#include "world/EnemyBullet.h"
#include "world/PlayerDeath.h"
#include "world/World.h"

namespace {
constexpr float kEntryX = 0.0f, kEntryY = 60.0f, kEntryEndY = 30.0f;
constexpr float kGrazeReach = 5.0f;
constexpr int kGrazeScore = 50;
constexpr int kRespawnUpdates = 121;
}  // namespace

PlayerEntry::PlayerEntry(World& world, int optionCount)
    : PlayerShip(world, kEntryX, kEntryY, optionCount) {}

bool PlayerEntry::Update(World& world) {
    y -= 0.5f;
    bank += 0.1f;
    OptionTargets targets;
    AimOptionsAtEnemies(world, targets);
    MoveOptions(targets);
    if (y > kEntryEndY) return true;
    world.SetPlayer(world.Spawn<PlayerActive>(x, y, optionCount));
    return false;
}

PlayerActive::PlayerActive(World& world, float x, float y, int optionCount)
    : PlayerShip(world, x, y, optionCount) {}

bool PlayerActive::Update(World& world) {
    PlayerShip::Update(world);
    CollideWithEnemies(world);
    CollideWithBullets(world);
    if (hitPoints > 0.0f) return true;
    // The reserved effect slot: the death always plays, however full the field.
    world.SpawnReserved<PlayerDeath>(x, y, optionCount);
    world.SetPlayer(nullptr);
    return false;
}

void PlayerActive::CollideWithEnemies(World& world) {
    for (Enemy* e : Each<Enemy>(world.enemyPool)) {
        if (Overlaps(*this, *e)) {
            hitPoints -= 1.0f;
            e->hitPoints -= 10.0f;
        }
    }
}

void PlayerActive::CollideWithBullets(World& world) {
    for (EnemyBullet* b : Each<EnemyBullet>(world.bulletPool)) {
        if (Overlaps(*this, *b)) {
            hitPoints -= 1.0f;
        } else if (!b->grazed &&
                   OverlapsBox(*this, *b, -kGrazeReach, -kGrazeReach, kGrazeReach, kGrazeReach)) {
            world.Spawn<GrazeSpark>(b->x, b->y);
            b->grazed = true;
            ++world.tally.grazes;
            world.PlaySound("sndKasuri");
            world.AddScore(kGrazeScore);
        }
    }
}

PlayerRespawn::PlayerRespawn(World& world, float x, float y, int optionCount)
    : PlayerShip(world, x, y, optionCount) {}

bool PlayerRespawn::Update(World& world) {
    PlayerShip::Update(world);
    alpha = 0.5f * std::sin(0.7f * static_cast<float>(respawnTime)) + 0.5f;
    ++respawnTime;
    if (respawnTime < kRespawnUpdates) return true;
    world.SetPlayer(world.Spawn<PlayerActive>(x, y, optionCount));
    return false;
}

void PlayerRespawn::Draw(const World& world) {
    auto t = static_cast<float>(respawnTime);
    float s = 0.5f * std::sin(0.5f * t) + 3.5f;
    // The shield lies at the shots' height, over the ship.
    world.Model("crash_2").Draw({x, depth::kPlayerShots, -y}, {s, 1.0f, s}, {0.0f, t / 10.0f, 0.0f},
                                RotationOrder::Y, alpha, false);
    PlayerShip::Draw(world);
}
