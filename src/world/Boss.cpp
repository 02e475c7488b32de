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
constexpr float kCoreHitPoints = 2000.0f;
constexpr float kPartHitPoints = 1000.0f;
constexpr int kBonus = 10000;  // plus ten points per update left
constexpr int kTimeLimit = 3600;
constexpr int kPartDriftUpdates = 30;

// Needles per ring.
int RingSize(const World& world) {
    return static_cast<int>(12 * world.GetDifficulty() + 4);
}

// A ring of needles at directions base + (i + shift) / n.
void FireRing(World& world, const Enemy& e, int variant, float base, float shift, float speed,
              float acceleration) {
    const ModelTable& needles = world.NeedleTable();
    int n = RingSize(world);
    for (int i = 0; i < n; ++i) {
        world.Spawn<AngleBullet>(needles, variant, e.x, e.y,
                                 base + (static_cast<float>(i) + shift) / static_cast<float>(n),
                                 speed, acceleration);
    }
}

// One bullet at the ship, if there is one, turned by up to half of spread
// either way; the colour alternates in any case.
void FireAimed(World& world, Enemy& e, float spread) {
    if (PlayerShip* ship = world.GetPlayer()) {
        float offset = static_cast<float>(spread * world.RandomSigned());
        world.Spawn<AimedBullet>(world.BulletTable(), e.variant, e.x, e.y, ship->x, ship->y, offset,
                                 world.GetDifficulty() / 3 + 0.8f, 0.0f);
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

BossBody::BossBody(World& world, float x, float y, float hitPoints, int score)
    : Enemy(world, &world.Model("big1"), x, y, -kHalf, -kHalf, kHalf, kHalf, hitPoints, score) {}

void BossBody::Draw(const World&) {
    DrawModel(kScale);
}

void BossBody::Explode(World& world) {
    world.Spawn<BossExplosion>(x, y);
}

BossIntro::BossIntro(World& world, float x) : BossBody(world, x, kIntroStartY, 0.0f, 0) {
    world.Flow().HaltStage();
}

bool BossIntro::Update(World& world) {
    if (counter == 0) {
        world.Flow().BossWarning();
        world.SetBossGauge(0.0f);
    } else if (counter >= 60 && counter < 120) {
        y += 1.0f;
        world.SetBossGauge(static_cast<float>(counter - 60) / 60.0f);
    } else if (counter == 150) {
        world.SetBossGauge(1.0f);
        world.SpawnReserved<BossCore>(x, y);
        return false;
    }
    ++counter;
    return true;
}

BossCore::BossCore(World& world, float x, float y) : BossBody(world, x, y, kCoreHitPoints, kBonus) {
    world.SetBossTimer(kTimeLimit);
}

bool BossCore::Update(World& world) {
    if (counter % 10 == 0) FireRing(world, *this, variant, yaw, 0.0f, 0.3f, 0.01f);
    if (counter % 10 == 5) FireRing(world, *this, 1 - variant, -yaw, 0.5f, 0.3f, 0.01f);
    if (counter % 60 < 30 && counter % 4 == 0) FireAimed(world, *this, 0.05f);
    yaw += 0.001f;
    ++counter;
    world.SetBossGauge(hitPoints / kCoreHitPoints);
    int left = TakeTime(world);
    if (hitPoints > 0.0f && left >= 0) return true;
    if (left >= 0) {
        Explode(world);
        world.AddScore(10 * left + score);
    }
    BossPart* parts[] = {
        world.SpawnReserved<BossPart>(x, y, -1.0f),
        world.SpawnReserved<BossPart>(x, y, 1.0f),
        world.SpawnReserved<BossPart>(x, y + 10.0f, -1.0f),
        world.SpawnReserved<BossPart>(x, y + 10.0f, 1.0f),
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
    : BossBody(world, x, y, kPartHitPoints, kBonus), drift(drift) {
    world.SetBossTimer(kTimeLimit);
}

bool BossPart::Update(World& world) {
    // The partner ended the pair, or never came to be.
    if (!partner) return false;
    if (counter >= kPartDriftUpdates) {
        if (counter % 16 == 0) FireRing(world, *this, variant, yaw, 0.0f, 0.2f, 0.005f);
        if (counter % 16 == 8) FireRing(world, *this, 1 - variant, -yaw, 0.5f, 0.2f, 0.005f);
        if (counter % 90 < 30 && counter % 4 == 0) FireAimed(world, *this, 0.01f);
    } else {
        x += drift;
    }
    yaw += 0.001f;
    ++counter;
    float pairHitPoints = hitPoints + partner->hitPoints;
    world.SetBossGauge(pairHitPoints / (2 * kPartHitPoints));
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

BossEscape::BossEscape(World& world, float x, float y) : BossBody(world, x, y, 0.0f, 0) {}

bool BossEscape::Update(World&) {
    y -= 1.0f;
    return ++counter < 60;
}
