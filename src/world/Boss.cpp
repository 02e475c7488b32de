#include "world/Boss.h"

#include "graphics/Mesh.h"
#include "world/BulletKinds.h"
#include "world/Explosion.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

constexpr float kHalf = 11.0f;
constexpr float kScale = 4.0f;
constexpr float kIntroStartY = -80.0f;
constexpr int kPartDriftUpdates = 30;

const KindTuning& kIntro = TuningOf(KindId::BossIntro);
const KindTuning& kCore = TuningOf(KindId::BossCore);
const KindTuning& kPart = TuningOf(KindId::BossPart);
const KindTuning& kEscape = TuningOf(KindId::BossEscape);

// A ring of needles at directions base + (i + shift) / n.
void FireRing(World& world, const Enemy& e, const Volley& v, int variant, float base,
              float shift) {
    const ModelTable& needles = world.NeedleTable();
    float d = world.GetDifficulty();
    int n = v.count.AtLeastOne(d);
    for (int i = 0; i < n; ++i) {
        world.Spawn<AngleBullet>(needles, variant, e.x, e.y,
                                 base + (static_cast<float>(i) + shift) / static_cast<float>(n),
                                 v.speed.At(d), v.acceleration);
    }
}

// The two rings of a phase, turning opposite ways as its yaw grows: one every
// `every` updates, the other half way between.
void FireRings(World& world, Enemy& e, const Volley& v) {
    int every = v.every.AtLeastOne(world.GetDifficulty());
    if (e.counter % every == 0) FireRing(world, e, v, e.variant, e.yaw, 0.0f);
    if (e.counter % every == every / 2) FireRing(world, e, v, 1 - e.variant, -e.yaw, 0.5f);
}

// One bullet at the ship, if there is one, turned by up to half of the spread
// either way; the colour alternates in any case.
void FireAimed(World& world, Enemy& e, const Volley& v) {
    float d = world.GetDifficulty();
    if (!v.Due(e.counter, d)) return;
    if (PlayerShip* ship = world.GetPlayer()) {
        float offset = static_cast<float>(v.spread * world.RandomSigned());
        world.Spawn<AimedBullet>(world.BulletTable(), e.variant, e.x, e.y, ship->x, ship->y, offset,
                                 v.speed.At(d), v.acceleration);
    }
    e.variant = 1 - e.variant;
}

// The shared timer falls by one for each boss object that fights; the value
// before the fall is the time that was left.
int TakeTime(World& world) {
    int left = world.GetBossTimer();
    world.SetBossTimer(left - 1);
    return left;
}

}  // namespace

BossBody::BossBody(World& world, const KindTuning& kind, float x, float y)
    : Enemy(world, &world.Model(kind.model), x, y, -kHalf, -kHalf, kHalf, kHalf, kind.hitPoints,
            kind.score) {}

void BossBody::Draw(const World&) {
    DrawModel(kScale);
}

void BossBody::Explode(World& world) {
    world.Spawn<BossExplosion>(x, y);
}

BossIntro::BossIntro(World& world, float x) : BossBody(world, kIntro, x, kIntroStartY) {
    world.Flow().HaltStage();
}

bool BossIntro::Update(World& world) {
    if (counter == 0) {
        world.Flow().BossWarning();
        world.SetBossGauge(0.0f);
    } else if (counter >= 60 && counter < 120) {
        y += kIntro.descent;
        world.SetBossGauge(static_cast<float>(counter - 60) / 60.0f);
    } else if (counter == 150) {
        world.SetBossGauge(1.0f);
        world.SpawnReserved<BossCore>(x, y);
        return false;
    }
    ++counter;
    return true;
}

BossCore::BossCore(World& world, float x, float y) : BossBody(world, kCore, x, y) {
    world.SetBossTimer(kCore.timeLimit);
}

bool BossCore::Update(World& world) {
    FireRings(world, *this, kCore.fire);
    FireAimed(world, *this, kCore.aimed);
    yaw += kCore.spin;
    ++counter;
    world.SetBossGauge(hitPoints / kCore.hitPoints);
    int left = TakeTime(world);
    if (hitPoints > 0.0f && left >= 0) return true;
    if (left >= 0) {
        Explode(world);
        world.AddScore(10 * left + score);
    }
    BossPart* parts[] = {
        world.SpawnReserved<BossPart>(x, y, -kPart.drift),
        world.SpawnReserved<BossPart>(x, y, kPart.drift),
        world.SpawnReserved<BossPart>(x, y + 10.0f, -kPart.drift),
        world.SpawnReserved<BossPart>(x, y + 10.0f, kPart.drift),
    };
    for (int pair = 0; pair < 4; pair += 2) {
        if (parts[pair] && parts[pair + 1]) {
            parts[pair]->partner = parts[pair + 1];
            parts[pair + 1]->partner = parts[pair];
        }
    }
    return false;
}

BossPart::BossPart(World& world, float x, float y, float drift)
    : BossBody(world, kPart, x, y), drift(drift) {
    world.SetBossTimer(kPart.timeLimit);
}

bool BossPart::Update(World& world) {
    // The partner ended the pair, or never came to be.
    if (!partner) return false;
    if (counter >= kPartDriftUpdates) {
        FireRings(world, *this, kPart.fire);
        FireAimed(world, *this, kPart.aimed);
    } else {
        x += drift;
    }
    yaw += kPart.spin;
    ++counter;
    float pairHitPoints = hitPoints + partner->hitPoints;
    world.SetBossGauge(pairHitPoints / (2 * kPart.hitPoints));
    int left = TakeTime(world);
    if (pairHitPoints > 0.0f && left >= 0) return true;
    EndPair(world, left);
    return false;
}

// The fight is over: the stage goes on. The other pair finds the timer run
// out at its next update and escapes.
void BossPart::EndPair(World& world, int timeLeft) {
    world.EndBossFight();
    world.Flow().BossFightEnded();
    if (timeLeft < 0) {
        world.SpawnReserved<BossEscape>(x, y);
        world.SpawnReserved<BossEscape>(partner->x, partner->y);
    } else {
        world.AddScore(10 * timeLeft + score);
        Explode(world);
        partner->Explode(world);
    }
    partner->partner = nullptr;
}

BossEscape::BossEscape(World& world, float x, float y) : BossBody(world, kEscape, x, y) {}

bool BossEscape::Update(World&) {
    y += kEscape.descent;
    return ++counter < 60;
}
