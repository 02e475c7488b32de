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

PlayerEntry::PlayerEntry(int optionCount) : PlayerShip(kEntryX, kEntryY, optionCount) {}

bool PlayerEntry::Update() {
    y -= 0.5f;
    bank += 0.1f;
    OptionTargets targets;
    AimOptionsAtEnemies(targets);
    MoveOptions(targets);
    if (y > kEntryEndY) return true;
    CurrentWorld().SetPlayer(Create<PlayerActive>(x, y, optionCount));
    return false;
}

PlayerActive::PlayerActive(float x, float y, int optionCount) : PlayerShip(x, y, optionCount) {}

bool PlayerActive::Update() {
    PlayerShip::Update();
    CollideWithEnemies();
    CollideWithBullets();
    if (hitPoints > 0.0f) return true;
    // The reserved effect slot: the death always plays, however full the field.
    CreateReserved<PlayerDeath>(x, y, optionCount);
    CurrentWorld().SetPlayer(nullptr);
    return false;
}

void PlayerActive::CollideWithEnemies() {
    for (Enemy* e : Each<Enemy>(Enemy::Pool())) {
        if (Overlaps(*this, *e)) {
            hitPoints -= 1.0f;
            e->hitPoints -= 10.0f;
        }
    }
}

void PlayerActive::CollideWithBullets() {
    World& world = CurrentWorld();
    for (EnemyBullet* b : Each<EnemyBullet>(EnemyBullet::Pool())) {
        if (Overlaps(*this, *b)) {
            hitPoints -= 1.0f;
        } else if (!b->grazed &&
                   OverlapsBox(*this, *b, -kGrazeReach, -kGrazeReach, kGrazeReach, kGrazeReach)) {
            Create<GrazeSpark>(b->x, b->y);
            b->grazed = true;
            world.PlaySound("sndKasuri");
            world.AddScore(kGrazeScore);
        }
    }
}

PlayerRespawn::PlayerRespawn(float x, float y, int optionCount) : PlayerShip(x, y, optionCount) {}

bool PlayerRespawn::Update() {
    PlayerShip::Update();
    alpha = 0.5f * std::sin(0.7f * static_cast<float>(respawnTime)) + 0.5f;
    ++respawnTime;
    if (respawnTime < kRespawnUpdates) return true;
    CurrentWorld().SetPlayer(Create<PlayerActive>(x, y, optionCount));
    return false;
}

void PlayerRespawn::Draw() {
    auto t = static_cast<float>(respawnTime);
    float s = 0.5f * std::sin(0.5f * t) + 3.5f;
    // The shield lies at the shots' height, over the ship.
    CurrentWorld().Model("crash_2").Draw({x, depth::kPlayerShots, -y}, {s, 1.0f, s},
                                         {0.0f, t / 10.0f, 0.0f}, RotationOrder::Y, alpha, false);
    PlayerShip::Draw();
}
