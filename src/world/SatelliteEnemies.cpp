#include "world/SatelliteEnemies.h"

#include <cmath>

#include "world/BulletKinds.h"
#include "world/FieldMath.h"
#include "world/World.h"

namespace {

constexpr float kDescent = 0.2f;
constexpr float kTurn = static_cast<float>(2.0 * kPi);

// Satellites fire every ten updates, whether or not there is a ship.
bool FiresNow(int fireCount) {
    return fireCount % static_cast<int>(10 - 5 * CurrentWorld().GetDifficulty()) == 0;
}

}  // namespace

EnemyBig5::EnemyBig5(float x) : CompositeHead(&CurrentWorld().Model("obj4"), x, 100.0f) {
    // Colours alternate along the arms, whether or not each satellite could be made.
    for (int arm = 0; arm < 3; ++arm) {
        for (int ring = 0; ring < 4; ++ring) {
            Create<OrbitSatellite>(*this, variant ^ ((arm * 4 + ring) & 1),
                                   static_cast<float>(2.0 * kPi * arm / 3.0),
                                   static_cast<float>(8 * ring + 14));
        }
    }
}

bool EnemyBig5::Update() {
    if (state != State::Alive) return false;
    y += kDescent;
    DecideEnd(120.0f);
    return true;
}

OrbitSatellite::OrbitSatellite(const CompositeHead& hub, int variant, float angle, float radius)
    : CompositePart(&CurrentWorld().Model("obj4"), hub, variant), angle(angle), radius(radius) {}

bool OrbitSatellite::Update() {
    x = head.x + radius * std::cos(angle);
    y = head.y + radius * std::sin(angle);
    angle += 0.04f;
    ++fireCount;
    if (FiresNow(fireCount)) {
        Create<AngleBullet>(CurrentWorld().NeedleTable(), variant, x, y, angle / kTurn - 0.25f,
                            0.8f, 0.0f);
    }
    return FollowHead();
}

EnemyBig6::EnemyBig6(float x) : CompositeHead(&CurrentWorld().Model("obj3"), x, 100.0f) {
    for (int i = 0; i < 8; ++i)
        Create<PulseSatellite>(*this, variant ^ (i & 1), static_cast<float>(2.0 * kPi * i / 8.0));
}

bool EnemyBig6::Update() {
    if (state != State::Alive) return false;
    y += kDescent;
    yaw += 0.002f;
    DecideEnd(108.0f);
    return true;
}

PulseSatellite::PulseSatellite(const CompositeHead& hub, int variant, float angle)
    : CompositePart(&CurrentWorld().Model("obj3"), hub, variant), angle(angle) {}

bool PulseSatellite::Update() {
    float r = 10.0f * std::sin(0.02f * static_cast<float>(fireCount)) + 24.0f;
    x = head.x + r * std::cos(angle);
    y = head.y + r * std::sin(angle);
    angle += 0.02f;
    yaw += 0.02f;
    ++fireCount;
    if (FiresNow(fireCount)) {
        Create<AngleBullet>(CurrentWorld().BulletTable(), variant, x, y, angle / kTurn, 0.8f, 0.0f);
    }
    return FollowHead();
}
