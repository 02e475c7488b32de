#include "world/KindEnemy.h"

#include <cmath>

#include "pattern/PatternMotion.h"
#include "world/BulletKinds.h"
#include "world/ChainEnemy.h"
#include "world/FieldMath.h"
#include "world/PlayerShip.h"
#include "world/SatelliteEnemies.h"
#include "world/World.h"

namespace {

constexpr float kDown = 0.25f;  // turns
constexpr float kWeaveRate = 0.05f, kWeaveTiltRate = 0.03f, kWeaveTilt = 0.1f;

float WaveAt(Wave wave, float phase) {
    return wave == Wave::Sine ? std::sin(phase) : std::cos(phase);
}

// A heading a little to either side of straight down, in turns: one draw.
float DrawHeading(World& world) {
    return static_cast<float>(kDown + 0.1 * world.RandomSigned());
}

// `count` bullets at start + spread × k for k = first, first + 1, ...
void FireFan(World& world, const Enemy& e, const Volley& v, int first, int count, float start) {
    float speed = v.speed.At(world.GetDifficulty());
    for (int k = first; k < first + count; ++k)
        world.Spawn<AngleBullet>(world.BulletTable(), e.variant, e.x, e.y, start + v.spread * k,
                                 speed, v.acceleration);
}

// A volley at the ship, its bullets spread evenly around the line to it.
void FireAimed(World& world, const Enemy& e, const PlayerShip& ship, const Volley& v) {
    float d = world.GetDifficulty();
    int half = v.count.AtLeastOne(d) / 2;
    for (int k = -half; k <= half; ++k)
        world.Spawn<AimedBullet>(world.BulletTable(), e.variant, e.x, e.y, ship.x, ship.y,
                                 v.spread * k, v.speed.At(d), v.acceleration);
}

// Bullets back up the field, spread around the reverse of the heading.
void FireSplit(World& world, const Enemy& e, const Volley& v) {
    float d = world.GetDifficulty();
    int half = v.count.AtLeastOne(d) / 2;
    for (int k = -half; k <= half; ++k)
        world.Spawn<SplitBullet>(world.BulletTable(), e.variant, e.x, e.y,
                                 e.yaw + 0.5f + v.spread * k, v.speed.At(d));
}

}  // namespace

KindEnemy::KindEnemy(World& world, const EnemyKind& kind, float x)
    : Enemy(world, kind.size, x, kind.model, kind.tuning), kind(kind) {
    if (kind.movement == Movement::Drift) {
        yaw = DrawHeading(world);
        velocity = kind.tuning.drift * Direction(yaw);
    }
    if (kind.movePattern) steering.Start(world, *kind.movePattern);
    if (kind.firePattern) firing.Start(world, *kind.firePattern);
}

bool KindEnemy::Update(World& world) {
    Move(world);
    Fire(world);
    ++counter;
    return Survives(world, Bottom(kind.size));
}

void KindEnemy::Move(World& world) {
    const KindTuning& t = kind.tuning;
    switch (kind.movement) {
        case Movement::Weave: {
            float c = static_cast<float>(counter);
            x += t.weave * WaveAt(t.wave, kWeaveRate * c);
            y += t.descent;
            yaw = -kWeaveTilt * WaveAt(t.wave, kWeaveTiltRate * c);
            break;
        }
        case Movement::Drift:
            x += velocity.x;
            y += velocity.y;
            break;
        case Movement::Pattern: {
            steering.Step(world, x, y, variant);
            FieldVelocity v = PatternVelocity(steering.Body());
            x += static_cast<float>(v.x);
            y += static_cast<float>(v.y);
            yaw += t.spin;
            break;
        }
        default:  // a dive; the other movements are not a regular enemy's
            y += t.descent;
            yaw += t.spin;
            break;
    }
}

void KindEnemy::Fire(World& world) {
    const Volley& v = kind.tuning.fire;
    const float d = world.GetDifficulty();
    const int count = counter + kind.fireLead;
    PlayerShip* ship = world.GetPlayer();
    switch (kind.fire) {
        case FireRule::Fan:
            if (ship && v.Due(count, d)) {
                int n = v.count.AtLeastOne(d);
                if (kind.alternate > 0 && count % (2 * kind.alternate) >= kind.alternate) {
                    FireFan(world, *this, v, 1 - n / 2, n - 1, kind.alternateStart);
                } else {
                    FireFan(world, *this, v, -(n / 2), n, kDown);
                }
            }
            break;
        case FireRule::Aimed:
            if (ship && v.Due(count, d)) FireAimed(world, *this, *ship, v);
            break;
        case FireRule::Split:
            if (world.NextRandom() < v.chance.At(d)) FireSplit(world, *this, v);
            break;
        case FireRule::Pattern:
            firing.Step(world, x, y, variant);
            break;
        case FireRule::None:
            break;
    }
}

void KindEnemy::Draw(const World&) {
    DrawModel(Scale(kind.size));
}

void KindEnemy::Explode(World& world) {
    ExplodeAs(world, kind.drops);
}

Enemy* SpawnKind(World& world, const EnemyKind& kind, float x) {
    switch (kind.movement) {
        case Movement::Chain:
            return kind.parts ? world.Spawn<EnemyBig4>(kind, x) : nullptr;
        case Movement::Arms:
            return kind.parts ? world.Spawn<EnemyBig5>(kind, x) : nullptr;
        case Movement::Ring:
            return kind.parts ? world.Spawn<EnemyBig6>(kind, x) : nullptr;
        case Movement::ChainLink:
        case Movement::ArmSatellite:
        case Movement::RingSatellite:
            return nullptr;
        default:
            return world.Spawn<KindEnemy>(kind, x);
    }
}
