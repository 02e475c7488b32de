#include "world/EnemyKinds.h"

#include <cmath>

#include "world/BulletKinds.h"
#include "world/FieldMath.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

constexpr float kDown = 0.25f;  // turns
// Big1's sixteen-bullet fan starts a little left of its seventeen.
constexpr float kShiftedFanStart = 0.23f;
constexpr float kWeaveRate = 0.05f, kWeaveTiltRate = 0.03f, kWeaveTilt = 0.1f;

const KindTuning& kObj1 = TuningOf(KindId::Obj1);
const KindTuning& kObj2 = TuningOf(KindId::Obj2);
const KindTuning& kObj3 = TuningOf(KindId::Obj3);
const KindTuning& kBig1 = TuningOf(KindId::Big1);
const KindTuning& kBig2 = TuningOf(KindId::Big2);
const KindTuning& kBig3 = TuningOf(KindId::Big3);

// Straight down, turning as it goes.
void Dive(Enemy& e, const KindTuning& t) {
    e.y += t.descent;
    e.yaw += t.spin;
}

float WaveAt(Wave wave, float phase) {
    return wave == Wave::Sine ? std::sin(phase) : std::cos(phase);
}

// Side to side down the field, tilting with the wave.
void Weave(Enemy& e, const KindTuning& t) {
    float c = static_cast<float>(e.counter);
    e.x += t.weave * WaveAt(t.wave, kWeaveRate * c);
    e.y += t.descent;
    e.yaw = -kWeaveTilt * WaveAt(t.wave, kWeaveTiltRate * c);
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

bool FiresNow(World& world, const Volley& v) {
    return world.NextRandom() < v.chance.At(world.GetDifficulty());
}

}  // namespace

EnemyObj1::EnemyObj1(World& world, float x) : SmallEnemy(world, kObj1, x) {}

bool EnemyObj1::Update(World& world) {
    Dive(*this, kObj1);
    const Volley& v = kObj1.fire;
    if (world.GetPlayer() && v.Due(counter, world.GetDifficulty())) {
        int count = v.count.AtLeastOne(world.GetDifficulty());
        FireFan(world, *this, v, -(count / 2), count, kDown);
    }
    ++counter;
    return Survives(world);
}

EnemyObj2::EnemyObj2(World& world, float x) : SmallEnemy(world, kObj2, x) {}

bool EnemyObj2::Update(World& world) {
    Weave(*this, kObj2);
    PlayerShip* ship = world.GetPlayer();
    if (ship && kObj2.fire.Due(counter, world.GetDifficulty()))
        FireAimed(world, *this, *ship, kObj2.fire);
    ++counter;
    return Survives(world);
}

EnemyObj3::EnemyObj3(World& world, float x) : SmallEnemy(world, kObj3, x) {
    yaw = DrawHeading(world);
    velocity = kObj3.drift * Direction(yaw);
}

bool EnemyObj3::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    if (FiresNow(world, kObj3.fire)) FireSplit(world, *this, kObj3.fire);
    return Survives(world);
}

EnemyBig1::EnemyBig1(World& world, float x) : LargeEnemy(world, kBig1, x) {}

bool EnemyBig1::Update(World& world) {
    Dive(*this, kBig1);
    ++counter;
    const Volley& v = kBig1.fire;
    if (world.GetPlayer() && v.Due(counter, world.GetDifficulty())) {
        int count = v.count.AtLeastOne(world.GetDifficulty());
        if (counter % 200 < 100) {
            FireFan(world, *this, v, -(count / 2), count, kDown);
        } else {
            FireFan(world, *this, v, 1 - count / 2, count - 1, kShiftedFanStart);
        }
    }
    return Survives(world);
}

EnemyBig2::EnemyBig2(World& world, float x) : LargeEnemy(world, kBig2, x) {}

bool EnemyBig2::Update(World& world) {
    Weave(*this, kBig2);
    PlayerShip* ship = world.GetPlayer();
    if (ship && kBig2.fire.Due(counter, world.GetDifficulty()))
        FireAimed(world, *this, *ship, kBig2.fire);
    ++counter;
    return Survives(world);
}

EnemyBig3::EnemyBig3(World& world, float x) : LargeEnemy(world, kBig3, x) {
    yaw = DrawHeading(world);
    velocity = kBig3.drift * Direction(yaw);
}

bool EnemyBig3::Update(World& world) {
    x += velocity.x;
    y += velocity.y;
    if (FiresNow(world, kBig3.fire)) FireSplit(world, *this, kBig3.fire);
    return Survives(world);
}
