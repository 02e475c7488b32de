#include "world/EnemyKinds.h"

#include <cmath>

#include "world/BulletKinds.h"
#include "world/FieldMath.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

constexpr float kDown = 0.25f;  // turns
constexpr float kDriftSpeed = 0.5f;
constexpr float kSplitSpeed = 0.4f;

// A heading a little to either side of straight down, in turns: one draw.
float DrawHeading(World& world) {
    return static_cast<float>(kDown + 0.1 * world.RandomSigned());
}

void FireAngle(World& world, const Enemy& e, float direction) {
    world.Spawn<AngleBullet>(world.BulletTable(), e.variant, e.x, e.y, direction, 1.0f, 0.0f);
}

void FireAimed(World& world, const Enemy& e, const PlayerShip& ship, float offset) {
    world.Spawn<AimedBullet>(world.BulletTable(), e.variant, e.x, e.y, ship.x, ship.y, offset, 1.0f,
                             0.0f);
}

void FireSplit(World& world, const Enemy& e, float direction) {
    world.Spawn<SplitBullet>(world.BulletTable(), e.variant, e.x, e.y, direction, kSplitSpeed);
}

}  // namespace

EnemyObj1::EnemyObj1(World& world, float x) : SmallEnemy(world, &world.Model("obj1"), x) {}

bool EnemyObj1::Update(World& world) {
    y += 0.4f;
    yaw += 0.01f;
    float d = world.GetDifficulty();
    if (world.GetPlayer() && counter % 10 == 0 && counter % 100 < 20 + 60 * d) {
        for (int k = -1; k <= 1; ++k)
            FireAngle(world, *this, kDown + 0.04f * k);
    }
    ++counter;
    return Survives(world);
}

EnemyObj2::EnemyObj2(World& world, float x) : SmallEnemy(world, &world.Model("obj5"), x) {}

bool EnemyObj2::Update(World& world) {
    float c = static_cast<float>(counter);
    x += 0.8f * std::cos(0.05f * c);
    y += 0.3f;
    yaw = -0.1f * std::cos(0.03f * c);
    float d = world.GetDifficulty();
    PlayerShip* ship = world.GetPlayer();
    if (ship && counter % 6 == 0 && counter % 100 <= 20 + 60 * d)
        FireAimed(world, *this, *ship, 0.0f);
    ++counter;
    return Survives(world);
}

EnemyObj3::EnemyObj3(World& world, float x) : SmallEnemy(world, &world.Model("obj2"), x) {
    yaw = DrawHeading(world);
    velocity = kDriftSpeed * Direction(yaw);
}

bool EnemyObj3::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    float d = world.GetDifficulty();
    if (world.NextRandom() < 0.04 + 0.08 * d) FireSplit(world, *this, yaw + 0.5f);
    return Survives(world);
}

EnemyBig1::EnemyBig1(World& world, float x) : LargeEnemy(world, &world.Model("obj1"), x) {}

bool EnemyBig1::Update(World& world) {
    y += 0.4f;
    yaw += 0.01f;
    ++counter;
    float d = world.GetDifficulty();
    if (world.GetPlayer() && counter % 10 == 0 && counter % 100 < 20 + 60 * d) {
        if (counter % 200 < 100) {
            for (int k = -8; k <= 8; ++k)
                FireAngle(world, *this, kDown + 0.03f * k);
        } else {
            for (int k = -7; k <= 8; ++k)
                FireAngle(world, *this, 0.23f + 0.03f * k);
        }
    }
    return Survives(world);
}

EnemyBig2::EnemyBig2(World& world, float x) : LargeEnemy(world, &world.Model("obj5"), x) {}

bool EnemyBig2::Update(World& world) {
    float c = static_cast<float>(counter);
    x += 0.4f * std::sin(0.05f * c);
    y += 0.3f;
    yaw = -0.1f * std::sin(0.03f * c);
    float d = world.GetDifficulty();
    PlayerShip* ship = world.GetPlayer();
    if (ship && counter % 4 == 0 && counter % 100 <= 30 + 60 * d) {
        for (int k = -2; k <= 2; ++k)
            FireAimed(world, *this, *ship, 0.01f * k);
    }
    ++counter;
    return Survives(world);
}

EnemyBig3::EnemyBig3(World& world, float x) : LargeEnemy(world, &world.Model("obj2"), x) {
    yaw = DrawHeading(world);
    velocity = kDriftSpeed * Direction(yaw);
}

bool EnemyBig3::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    float d = world.GetDifficulty();
    if (world.NextRandom() < 0.08 + 0.16 * d) {
        for (int k = -2; k <= 2; ++k)
            FireSplit(world, *this, yaw + 0.5f + 0.1f * k);
    }
    return Survives(world);
}
