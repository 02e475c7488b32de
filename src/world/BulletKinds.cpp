#include "world/BulletKinds.h"

#include <cmath>

#include "world/FieldMath.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

double AimAt(float x, float y, float targetX, float targetY, float offset) {
    return std::atan2(targetY - y, targetX - x) + 2.0 * kPi * offset;
}

}  // namespace

AngleBullet::AngleBullet(World& world, const ModelTable& table, int variant, float x, float y,
                         float direction, float speed, float acceleration)
    : AngleBullet(world, table, variant, x, y, direction * 2.0 * kPi, direction + 0.25f, speed,
                  acceleration) {}

AngleBullet::AngleBullet(World& world, const ModelTable& table, int variant, float x, float y,
                         double heading, float yaw, float speed, float acceleration)
    : EnemyBullet(world, table, variant, x, y, yaw),
      velocity(speed * RadianDirection(heading)),
      accelVector(acceleration * RadianDirection(heading)) {}

bool AngleBullet::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    velocity += accelVector;
    return EnemyBullet::Update(world);
}

AimedBullet::AimedBullet(World& world, const ModelTable& table, int variant, float x, float y,
                         float targetX, float targetY, float offset, float speed,
                         float acceleration)
    : AimedBullet(world, table, variant, x, y, AimAt(x, y, targetX, targetY, offset), speed,
                  acceleration) {}

AimedBullet::AimedBullet(World& world, const ModelTable& table, int variant, float x, float y,
                         double heading, float speed, float acceleration)
    : AngleBullet(world, table, variant, x, y, heading, static_cast<float>(heading / (2.0 * kPi)),
                  speed, acceleration) {}

RetargetNeedle::RetargetNeedle(World& world, const ModelTable& table, int variant, float x, float y,
                               float direction, float speed)
    : EnemyBullet(world, table, variant, x, y, direction + 0.25f),
      velocity(speed * Direction(direction)),
      needleSpeed(speed) {}

bool RetargetNeedle::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    // A needle whose moment passes with no ship keeps its course for good.
    PlayerShip* ship = world.GetPlayer();
    if (--retargetTimer == 0 && ship) {
        double heading = AimAt(x, y, ship->x, ship->y, 0.0f);
        velocity = needleSpeed * RadianDirection(heading);
        yaw = static_cast<float>(heading / (2.0 * kPi)) + 0.25f;
    }
    return EnemyBullet::Update(world);
}

SplitBullet::SplitBullet(World& world, const ModelTable& table, int variant, float x, float y,
                         float direction, float speed)
    : EnemyBullet(world, table, variant, x, y, direction + 0.25f),
      splitDirection(direction),
      splitSpeed(speed),
      velocity(speed * Direction(direction)) {}

bool SplitBullet::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    if (--fuse != 0) return EnemyBullet::Update(world);
    const ModelTable& needles = world.NeedleTable();
    for (int i = 0; i < 5; ++i) {
        world.Spawn<RetargetNeedle>(needles, variant, x, y, splitDirection - 0.4f + 0.2f * i,
                                    1.5f * splitSpeed);
    }
    return false;
}

void SplitBullet::Draw(const World&) {
    DrawScaled(2.0f);
}
