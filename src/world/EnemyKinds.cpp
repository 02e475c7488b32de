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
float DrawHeading() {
    return static_cast<float>(kDown + 0.1 * CurrentWorld().RandomSigned());
}

void FireAngle(const Enemy& e, float direction) {
    Create<AngleBullet>(CurrentWorld().BulletTable(), e.variant, e.x, e.y, direction, 1.0f, 0.0f);
}

void FireAimed(const Enemy& e, const PlayerShip& ship, float offset) {
    Create<AimedBullet>(CurrentWorld().BulletTable(), e.variant, e.x, e.y, ship.x, ship.y, offset,
                        1.0f, 0.0f);
}

void FireSplit(const Enemy& e, float direction) {
    Create<SplitBullet>(CurrentWorld().BulletTable(), e.variant, e.x, e.y, direction, kSplitSpeed);
}

}  // namespace

EnemyObj1::EnemyObj1(float x) : SmallEnemy(&CurrentWorld().Model("obj1"), x) {}

bool EnemyObj1::Update() {
    World& world = CurrentWorld();
    y += 0.4f;
    yaw += 0.01f;
    float d = world.GetDifficulty();
    if (world.GetPlayer() && counter % 10 == 0 && counter % 100 < 20 + 60 * d) {
        for (int k = -1; k <= 1; ++k)
            FireAngle(*this, kDown + 0.04f * k);
    }
    ++counter;
    return Survives();
}

EnemyObj2::EnemyObj2(float x) : SmallEnemy(&CurrentWorld().Model("obj5"), x) {}

bool EnemyObj2::Update() {
    World& world = CurrentWorld();
    float c = static_cast<float>(counter);
    x += 0.8f * std::cos(0.05f * c);
    y += 0.3f;
    yaw = -0.1f * std::cos(0.03f * c);
    float d = world.GetDifficulty();
    PlayerShip* ship = world.GetPlayer();
    if (ship && counter % 6 == 0 && counter % 100 <= 20 + 60 * d) FireAimed(*this, *ship, 0.0f);
    ++counter;
    return Survives();
}

EnemyObj3::EnemyObj3(float x) : SmallEnemy(&CurrentWorld().Model("obj2"), x) {
    yaw = DrawHeading();
    velocity = kDriftSpeed * Direction(yaw);
}

bool EnemyObj3::Update() {
    World& world = CurrentWorld();
    x += velocity.x;
    y += velocity.y;
    float d = world.GetDifficulty();
    if (world.NextRandom() < 0.04 + 0.08 * d) FireSplit(*this, yaw + 0.5f);
    return Survives();
}

EnemyBig1::EnemyBig1(float x) : LargeEnemy(&CurrentWorld().Model("obj1"), x) {}

bool EnemyBig1::Update() {
    World& world = CurrentWorld();
    y += 0.4f;
    yaw += 0.01f;
    ++counter;
    float d = world.GetDifficulty();
    if (world.GetPlayer() && counter % 10 == 0 && counter % 100 < 20 + 60 * d) {
        if (counter % 200 < 100) {
            for (int k = -8; k <= 8; ++k)
                FireAngle(*this, kDown + 0.03f * k);
        } else {
            for (int k = -7; k <= 8; ++k)
                FireAngle(*this, 0.23f + 0.03f * k);
        }
    }
    return Survives();
}

EnemyBig2::EnemyBig2(float x) : LargeEnemy(&CurrentWorld().Model("obj5"), x) {}

bool EnemyBig2::Update() {
    World& world = CurrentWorld();
    float c = static_cast<float>(counter);
    x += 0.4f * std::sin(0.05f * c);
    y += 0.3f;
    yaw = -0.1f * std::sin(0.03f * c);
    float d = world.GetDifficulty();
    PlayerShip* ship = world.GetPlayer();
    if (ship && counter % 4 == 0 && counter % 100 <= 30 + 60 * d) {
        for (int k = -2; k <= 2; ++k)
            FireAimed(*this, *ship, 0.01f * k);
    }
    ++counter;
    return Survives();
}

EnemyBig3::EnemyBig3(float x) : LargeEnemy(&CurrentWorld().Model("obj2"), x) {
    yaw = DrawHeading();
    velocity = kDriftSpeed * Direction(yaw);
}

bool EnemyBig3::Update() {
    World& world = CurrentWorld();
    x += velocity.x;
    y += velocity.y;
    float d = world.GetDifficulty();
    if (world.NextRandom() < 0.08 + 0.16 * d) {
        for (int k = -2; k <= 2; ++k)
            FireSplit(*this, yaw + 0.5f + 0.1f * k);
    }
    return Survives();
}
