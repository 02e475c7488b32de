#include "world/Boss.h"

#include "graphics/Mesh.h"
#include "world/BulletKinds.h"
#include "world/Explosion.h"
#include "world/PlayerShip.h"
#include "world/World.h"

namespace {

constexpr float kHalf = 11.0f;
constexpr float kScale = 4.0f;
constexpr int kEnterAt = 60, kEnteredAt = 120, kFirstPhaseAt = 150;
constexpr float kEscapeRise = -1.0f;
constexpr int kEscapeUpdates = 60;
// The second pair starts this far below the first.
constexpr float kSecondPairBelow = 10.0f;

// A ring of needles at directions base + (i + shift) / n.
void FireRing(World& world, const Enemy& e, const Volley& v, int variant, float base, float shift) {
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

// A phase's bodies at (x, y): one, or two pairs drifting apart.
void BeginPhase(World& world, const BossKind& boss, int fight, int phase, float x, float y) {
    ++world.BossFightAt(fight).serial;
    const BossPhase& next = boss.phases[static_cast<std::size_t>(phase)];
    if (!next.pairs) {
        world.SpawnReserved<BossCore>(boss, fight, phase, x, y);
        return;
    }
    const float drift = next.drift, below = y + kSecondPairBelow;
    BossPart* parts[] = {
        world.SpawnReserved<BossPart>(boss, fight, phase, x, y, -drift),
        world.SpawnReserved<BossPart>(boss, fight, phase, x, y, drift),
        world.SpawnReserved<BossPart>(boss, fight, phase, x, below, -drift),
        world.SpawnReserved<BossPart>(boss, fight, phase, x, below, drift),
    };
    for (int pair = 0; pair < 4; pair += 2) {
        if (parts[pair] && parts[pair + 1]) {
            parts[pair]->partner = parts[pair + 1];
            parts[pair + 1]->partner = parts[pair];
        }
    }
}

}  // namespace

BossBody::BossBody(World& world, const BossKind& boss, int fight, float x, float y, float hitPoints,
                   int score)
    : Enemy(world, &world.ModelAt(boss.model), x, y, -kHalf, -kHalf, kHalf, kHalf, hitPoints,
            score),
      boss(boss),
      fight(fight) {}

void BossBody::Draw(const World&) {
    DrawModel(kScale);
}

void BossBody::Explode(World& world) {
    world.Spawn<BossExplosion>(x, y);
}

// The fight's timer falls by one for each body that fights.
int BossBody::TakeTime(World& world) {
    int& timer = world.BossFightAt(fight).timer;
    return timer--;
}

void BossBody::EndFight(World& world) {
    world.EndBossFight(fight);
    world.Flow().BossFightEnded();
}

BossIntro::BossIntro(World& world, const BossKind& boss, int fight, float x)
    : BossBody(world, boss, fight, x, boss.enterY, 0.0f, 0) {}

bool BossIntro::Update(World& world) {
    float& gauge = world.BossFightAt(fight).gauge;
    if (counter == 0) {
        if (!boss.mid) world.Flow().BossWarning();
        gauge = 0.0f;
    } else if (counter >= kEnterAt && counter < kEnteredAt) {
        y += boss.descent;
        gauge = static_cast<float>(counter - kEnterAt) / static_cast<float>(kEnteredAt - kEnterAt);
    } else if (counter == kFirstPhaseAt) {
        gauge = 1.0f;
        if (boss.phases.empty()) {
            EndFight(world);
        } else {
            BeginPhase(world, boss, fight, 0, x, y);
        }
        return false;
    }
    ++counter;
    return true;
}

BossPhaseBody::BossPhaseBody(World& world, const BossKind& boss, int fight, int phase, float x,
                             float y)
    : BossBody(world, boss, fight, x, y,
               boss.phases[static_cast<std::size_t>(phase)].hitPoints.At(world.GetDifficulty()),
               boss.phases[static_cast<std::size_t>(phase)].bonus),
      phase(phase),
      serial(world.BossFightAt(fight).serial),
      fullHitPoints(hitPoints) {
    // Without a limit the clock still runs, far beyond any fight, and gives no bonus.
    const int limit = Phase().timeLimit;
    world.BossFightAt(fight).timer = limit > 0 ? limit : kNoTimeLimit;
    std::size_t started = 0;
    for (const BossVolley& v : Phase().fire) {
        if (v.pattern && started < kMaxPhasePatterns) patterns[started++].Start(world, *v.pattern);
    }
}

void BossPhaseBody::Fight(World& world, float drift) {
    const BossPhase& p = Phase();
    if (counter >= p.driftUpdates) {
        std::size_t pattern = 0;
        for (const BossVolley& v : p.fire) {
            switch (v.rule) {
                case BossFire::Rings:
                    FireRings(world, *this, v.volley);
                    break;
                case BossFire::Aimed:
                    FireAimed(world, *this, v.volley);
                    break;
                case BossFire::Pattern:
                    if (pattern < kMaxPhasePatterns) patterns[pattern++].Step(world, x, y, variant);
                    break;
            }
        }
    } else {
        x += drift;
    }
    yaw += p.spin;
    ++counter;
}

bool BossPhaseBody::Superseded(const World& world) const {
    return world.BossFightAt(fight).serial != serial;
}

int BossPhaseBody::TimeBonus(int left) const {
    return Phase().timeLimit > 0 ? 10 * left : 0;
}

bool BossPhaseBody::NextPhaseBegins(World& world, bool destroyed, float atX, float atY) {
    if (phase + 1 >= static_cast<int>(boss.phases.size())) return false;
    if (!destroyed && Phase().timeOut == TimeOut::Escape) return false;
    BeginPhase(world, boss, fight, phase + 1, atX, atY);
    return true;
}

BossCore::BossCore(World& world, const BossKind& boss, int fight, int phase, float x, float y)
    : BossPhaseBody(world, boss, fight, phase, x, y) {}

bool BossCore::Update(World& world) {
    Fight(world, 0.0f);
    world.BossFightAt(fight).gauge = hitPoints / fullHitPoints;
    int left = TakeTime(world);
    if (hitPoints > 0.0f && left >= 0) return true;
    const bool destroyed = left >= 0;
    if (destroyed) {
        Explode(world);
        world.AddScore(TimeBonus(left) + score);
    }
    if (!NextPhaseBegins(world, destroyed, x, y)) {
        EndFight(world);
        if (!destroyed) world.SpawnReserved<BossEscape>(boss, x, y);
    }
    return false;
}

BossPart::BossPart(World& world, const BossKind& boss, int fight, int phase, float x, float y,
                   float drift)
    : BossPhaseBody(world, boss, fight, phase, x, y), drift(drift) {}

bool BossPart::Update(World& world) {
    // The partner ended the pair, or never came to be.
    if (!partner) return false;
    // The other pair ended the phase and the next one fights.
    if (Superseded(world)) {
        world.SpawnReserved<BossEscape>(boss, x, y);
        return false;
    }
    Fight(world, drift);
    float pairHitPoints = hitPoints + partner->hitPoints;
    world.BossFightAt(fight).gauge = pairHitPoints / (2 * fullHitPoints);
    int left = TakeTime(world);
    if (pairHitPoints > 0.0f && left >= 0) return true;
    EndPair(world, left);
    return false;
}

// The pair is over: the next phase comes where it was, or the fight ends. At
// the end of the fight the other pair finds the timer run out at its next
// update and escapes.
void BossPart::EndPair(World& world, int timeLeft) {
    const bool destroyed = timeLeft >= 0;
    auto fallApart = [&] {
        world.AddScore(TimeBonus(timeLeft) + score);
        Explode(world);
        partner->Explode(world);
    };
    const bool next = phase + 1 < static_cast<int>(boss.phases.size()) &&
                      (destroyed || Phase().timeOut == TimeOut::Next);
    if (next) {
        if (destroyed) fallApart();
        NextPhaseBegins(world, destroyed, x, y);
    } else {
        EndFight(world);
        if (destroyed) {
            fallApart();
        } else {
            world.SpawnReserved<BossEscape>(boss, x, y);
            world.SpawnReserved<BossEscape>(boss, partner->x, partner->y);
        }
    }
    partner->partner = nullptr;
}

BossEscape::BossEscape(World& world, const BossKind& boss, float x, float y)
    : BossBody(world, boss, 0, x, y, 0.0f, 0) {}

bool BossEscape::Update(World&) {
    y += kEscapeRise;
    return ++counter < kEscapeUpdates;
}

Enemy* SpawnBoss(World& world, const BossKind& boss, float x) {
    int fight = world.TakeBossFight();
    Enemy* intro = world.SpawnReserved<BossIntro>(boss, fight, x);
    if (!intro) world.EndBossFight(fight);
    return intro;
}
