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
int RingSize() {
    return static_cast<int>(12 * CurrentWorld().GetDifficulty() + 4);
}

// A ring of needles at directions base + (i + shift) / n.
void FireRing(const Enemy& e, int variant, float base, float shift, float speed,
              float acceleration) {
    const ModelTable& needles = CurrentWorld().NeedleTable();
    int n = RingSize();
    for (int i = 0; i < n; ++i) {
        Create<AngleBullet>(needles, variant, e.x, e.y,
                            base + (static_cast<float>(i) + shift) / static_cast<float>(n), speed,
                            acceleration);
    }
}

// One bullet at the ship, if there is one, turned by up to half of spread
// either way; the colour alternates in any case.
void FireAimed(Enemy& e, float spread) {
    World& world = CurrentWorld();
    if (PlayerShip* ship = world.GetPlayer()) {
        float offset = static_cast<float>(spread * world.RandomSigned());
        Create<AimedBullet>(world.BulletTable(), e.variant, e.x, e.y, ship->x, ship->y, offset,
                            world.GetDifficulty() / 3 + 0.8f, 0.0f);
    }
    e.variant = 1 - e.variant;
}

// The shared timer falls by one for each boss object that fights; the value
// before the fall is the time that was left.
int TakeTime() {
    World& world = CurrentWorld();
    int left = world.GetBossTimer();
    world.SetBossTimer(left - 1);
    return left;
}

}  // namespace

BossBody::BossBody(float x, float y, float hitPoints, int score)
    : Enemy(&CurrentWorld().Model("big1"), x, y, -kHalf, -kHalf, kHalf, kHalf, hitPoints, score) {}

void BossBody::Draw() {
    DrawModel(kScale);
}

void BossBody::Explode() {
    Create<BossExplosion>(x, y);
}

BossIntro::BossIntro(float x) : BossBody(x, kIntroStartY, 0.0f, 0) {
    CurrentWorld().Flow().HaltStage();
}

bool BossIntro::Update() {
    World& world = CurrentWorld();
    if (counter == 0) {
        world.Flow().BossWarning();
        world.SetBossGauge(0.0f);
    } else if (counter >= 60 && counter < 120) {
        y += 1.0f;
        world.SetBossGauge(static_cast<float>(counter - 60) / 60.0f);
    } else if (counter == 150) {
        world.SetBossGauge(1.0f);
        CreateReserved<BossCore>(x, y);
        return false;
    }
    ++counter;
    return true;
}

BossCore::BossCore(float x, float y) : BossBody(x, y, kCoreHitPoints, kBonus) {
    CurrentWorld().SetBossTimer(kTimeLimit);
}

bool BossCore::Update() {
    World& world = CurrentWorld();
    if (counter % 10 == 0) FireRing(*this, variant, yaw, 0.0f, 0.3f, 0.01f);
    if (counter % 10 == 5) FireRing(*this, 1 - variant, -yaw, 0.5f, 0.3f, 0.01f);
    if (counter % 60 < 30 && counter % 4 == 0) FireAimed(*this, 0.05f);
    yaw += 0.001f;
    ++counter;
    world.SetBossGauge(hitPoints / kCoreHitPoints);
    int left = TakeTime();
    if (hitPoints > 0.0f && left >= 0) return true;
    if (left >= 0) {
        Explode();
        world.AddScore(10 * left + score);
    }
    BossPart* parts[] = {
        CreateReserved<BossPart>(x, y, -1.0f),
        CreateReserved<BossPart>(x, y, 1.0f),
        CreateReserved<BossPart>(x, y + 10.0f, -1.0f),
        CreateReserved<BossPart>(x, y + 10.0f, 1.0f),
    };
    for (int pair = 0; pair < 4; pair += 2) {
        if (parts[pair] && parts[pair + 1]) {
            parts[pair]->partner = parts[pair + 1];
            parts[pair + 1]->partner = parts[pair];
        }
    }
    return false;
}

BossPart::BossPart(float x, float y, float drift)
    : BossBody(x, y, kPartHitPoints, kBonus), drift(drift) {
    CurrentWorld().SetBossTimer(kTimeLimit);
}

bool BossPart::Update() {
    // The partner ended the pair, or never came to be.
    if (!partner) return false;
    if (counter >= kPartDriftUpdates) {
        if (counter % 16 == 0) FireRing(*this, variant, yaw, 0.0f, 0.2f, 0.005f);
        if (counter % 16 == 8) FireRing(*this, 1 - variant, -yaw, 0.5f, 0.2f, 0.005f);
        if (counter % 90 < 30 && counter % 4 == 0) FireAimed(*this, 0.01f);
    } else {
        x += drift;
    }
    yaw += 0.001f;
    ++counter;
    float pairHitPoints = hitPoints + partner->hitPoints;
    CurrentWorld().SetBossGauge(pairHitPoints / (2 * kPartHitPoints));
    int left = TakeTime();
    if (pairHitPoints > 0.0f && left >= 0) return true;
    EndPair(left);
    return false;
}

// The fight is over: the stage goes on. The other pair finds the timer run
// out at its next update and escapes.
void BossPart::EndPair(int timeLeft) {
    World& world = CurrentWorld();
    world.Flow().BossFightEnded();
    if (timeLeft < 0) {
        CreateReserved<BossEscape>(x, y);
        CreateReserved<BossEscape>(partner->x, partner->y);
    } else {
        world.AddScore(10 * timeLeft + score);
        Explode();
        partner->Explode();
    }
    world.SetBossTimer(-1);
    partner->partner = nullptr;
}

BossEscape::BossEscape(float x, float y) : BossBody(x, y, 0.0f, 0) {}

bool BossEscape::Update() {
    y -= 1.0f;
    return ++counter < 60;
}
