#include "world/SatelliteEnemies.h"

#include <cmath>

#include "world/BulletKinds.h"
#include "world/FieldMath.h"
#include "world/World.h"

namespace {

constexpr float kTurn = static_cast<float>(2.0 * kPi);
// The breathing ring's radius: 24, give or take 10.
constexpr float kPulseMiddle = 24.0f, kPulseReach = 10.0f, kPulseRate = 0.02f;

// Satellites fire whether or not there is a ship.
void FireOutward(World& world, const CompositePart& part, const ModelTable& models,
                 const Volley& v, int fireCount, float direction) {
    float d = world.GetDifficulty();
    if (!v.Due(fireCount, d)) return;
    world.Spawn<AngleBullet>(models, part.variant, part.x, part.y, direction, v.speed.At(d),
                             v.acceleration);
}

}  // namespace

EnemyBig5::EnemyBig5(World& world, const EnemyKind& kind, float x) : CompositeHead(world, kind, x) {
    // Colours alternate along the arms, whether or not each satellite could be made.
    for (int arm = 0; arm < 3; ++arm) {
        for (int ring = 0; ring < 4; ++ring) {
            world.Spawn<OrbitSatellite>(*kind.parts, *this, variant ^ ((arm * 4 + ring) & 1),
                                        static_cast<float>(2.0 * kPi * arm / 3.0),
                                        static_cast<float>(8 * ring + 14));
        }
    }
}

bool EnemyBig5::Update(World& world) {
    if (state != State::Alive) return false;
    Sink(world);
    return true;
}

OrbitSatellite::OrbitSatellite(World& world, const EnemyKind& kind, const CompositeHead& hub,
                               int variant, float angle, float radius)
    : CompositePart(world, kind, hub, variant), angle(angle), radius(radius) {}

bool OrbitSatellite::Update(World& world) {
    x = head.x + radius * std::cos(angle);
    y = head.y + radius * std::sin(angle);
    angle += tuning.orbit;
    ++fireCount;
    // Needles a quarter turn behind the outward radius.
    FireOutward(world, *this, world.NeedleTable(), tuning.fire, fireCount,
                angle / kTurn - 0.25f);
    return FollowHead(world);
}

EnemyBig6::EnemyBig6(World& world, const EnemyKind& kind, float x) : CompositeHead(world, kind, x) {
    for (int i = 0; i < 8; ++i)
        world.Spawn<PulseSatellite>(*kind.parts, *this, variant ^ (i & 1),
                                    static_cast<float>(2.0 * kPi * i / 8.0));
}

bool EnemyBig6::Update(World& world) {
    if (state != State::Alive) return false;
    Sink(world);
    return true;
}

PulseSatellite::PulseSatellite(World& world, const EnemyKind& kind, const CompositeHead& hub,
                               int variant, float angle)
    : CompositePart(world, kind, hub, variant), angle(angle) {}

bool PulseSatellite::Update(World& world) {
    float r = kPulseReach * std::sin(kPulseRate * static_cast<float>(fireCount)) + kPulseMiddle;
    x = head.x + r * std::cos(angle);
    y = head.y + r * std::sin(angle);
    angle += tuning.orbit;
    yaw += tuning.spin;
    ++fireCount;
    FireOutward(world, *this, world.BulletTable(), tuning.fire, fireCount, angle / kTurn);
    return FollowHead(world);
}
