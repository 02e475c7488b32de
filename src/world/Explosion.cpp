#include "world/Explosion.h"

#include "game/GameApp.h"
#include "world/EnemyBullet.h"
#include "world/Item.h"
#include "world/PlayerShip.h"

namespace {
constexpr float kCancelRadiusSquared = 1000.0f;
constexpr float kScatter = 20.0f;
constexpr int kLargeScoreItems = 10;
}  // namespace

Explosion::Explosion(float x, float y, float size) : Effect(x, y), size(size) {
    Create<ScoreItem>(x, y);
    App().PlaySound(App().soundTable.sndBom1);
}

bool Explosion::Update() {
    return ++age < 26;
}

void Explosion::Draw() {
    float s = static_cast<float>(age) * size + size;
    App().models.crash1->Draw({x, depth, -y}, {s, 1.0f, s}, {0.0f, 0.0f, 0.0f}, 15,
                              1.0f - 0.04f * static_cast<float>(age), false);
}

LargeExplosion::LargeExplosion(float x, float y) : Explosion(x, y, 0.6f) {
    GameApp& app = App();
    for (int i = 0; i < kLargeScoreItems; ++i) {
        double s1 = app.RandomSigned();
        double s2 = app.RandomSigned();
        Create<ScoreItem>(static_cast<float>(x + kScatter * s2),
                          static_cast<float>(y + kScatter * s1));
    }
    if (PlayerShip* ship = app.GetPlayer()) {
        Create<PowerItem>(
            x, y,
            ship->optionCount < PlayerShip::kMaxOptions ? PowerKind::Option : PowerKind::Bomb);
    }
    CancelBulletsIf([x, y](const EnemyBullet& b) {
        float dx = b.x - x, dy = b.y - y;
        return dx * dx + dy * dy < kCancelRadiusSquared;
    });
    app.PlaySound(app.soundTable.sndCrash);
}

BossExplosion::BossExplosion(float x, float y) : Explosion(x, y, 2.0f) {
    CancelBulletsIf([](const EnemyBullet& b) {
        Create<ScoreItem>(b.x, b.y);
        return true;
    });
    App().PlaySound(App().soundTable.sndBossOut);
}
