#include "world/SatelliteEnemies.h"

#include <cmath>

#include "world/BulletKinds.h"
#include "world/FieldMath.h"
#include "world/World.h"

namespace {

constexpr float kDescent = 0.2f;
constexpr float kTurn = static_cast<float>(2.0 * kPi);

// Satellites fire every ten updates, whether or not there is a ship.
bool FiresNow(const World& world, int fireCount) {
    return fireCount % static_cast<int>(10 - 5 * world.GetDifficulty()) == 0;
}

}  // namespace

EnemyBig5::EnemyBig5(World& world, float x)
    : CompositeHead(world, &world.Model("obj4"), x, 100.0f) {
    // Colours alternate along the arms, whether or not each satellite could be made.
    for (int arm = 0; arm < 3; ++arm) {
        for (int ring = 0; ring < 4; ++ring) {
            world.Spawn<OrbitSatellite>(*this, variant ^ ((arm * 4 + ring) & 1),
                                        static_cast<float>(2.0 * kPi * arm / 3.0),
                                        static_cast<float>(8 * ring + 14));
        }
    }
}

bool EnemyBig5::Update(World& world) {
    if (state != State::Alive) return false;
    y += kDescent;
    DecideEnd(world, 120.0f);
    return true;
}

OrbitSatellite::OrbitSatellite(World& world, const CompositeHead& hub, int variant, float angle,
                               float radius)
    : CompositePart(world, &world.Model("obj4"), hub, variant), angle(angle), radius(radius) {}

bool OrbitSatellite::Update(World& world) {
    x = head.x + radius * std::cos(angle);
    y = head.y + radius * std::sin(angle);
    angle += 0.04f;
    ++fireCount;
    if (FiresNow(world, fireCount)) {
        world.Spawn<AngleBullet>(world.NeedleTable(), variant, x, y, angle / kTurn - 0.25f, 0.8f,
                                 0.0f);
    }
    return FollowHead(world);
}

EnemyBig6::EnemyBig6(World& world, float x)
    : CompositeHead(world, &world.Model("obj3"), x, 100.0f) {
    for (int i = 0; i < 8; ++i)
        world.Spawn<PulseSatellite>(*this, variant ^ (i & 1),
                                    static_cast<float>(2.0 * kPi * i / 8.0));
}

bool EnemyBig6::Update(World& world) {
    if (state != State::Alive) return false;
    y += kDescent;
    yaw += 0.002f;
    DecideEnd(world, 108.0f);
    return true;
}

PulseSatellite::PulseSatellite(World& world, const CompositeHead& hub, int variant, float angle)
    : CompositePart(world, &world.Model("obj3"), hub, variant), angle(angle) {}

bool PulseSatellite::Update(World& world) {
    float r = 10.0f * std::sin(0.02f * static_cast<float>(fireCount)) + 24.0f;
    x = head.x + r * std::cos(angle);
    y = head.y + r * std::sin(angle);
    angle += 0.02f;
    yaw += 0.02f;
    ++fireCount;
    if (FiresNow(world, fireCount)) {
        world.Spawn<AngleBullet>(world.BulletTable(), variant, x, y, angle / kTurn, 0.8f, 0.0f);
    }
    return FollowHead(world);
}
