#include <gtest/gtest.h>

#include "script/EnemyFactory.h"
#include "support/EnemyFixture.h"
#include "world/Boss.h"
#include "world/BulletKinds.h"
#include "world/Explosion.h"
#include "world/FieldMath.h"
#include "world/Item.h"

namespace {

struct BossTest : EnemyFixture {
    BossCore& Core(float x = 0.0f, float y = -20.0f) {
        return *world.SpawnReserved<BossCore>(x, y);
    }
    // The four parts, in the order the core made them.
    std::vector<BossPart*> PartsFromCore() {
        Core().hitPoints = 0.0f;
        Step();
        return All<BossPart>(world.enemyPool);
    }
};

}  // namespace

TEST_F(BossTest, TheIntroHaltsTheStageWarnsDescendsAndBecomesTheCoreOnItsHundredFiftyFirstUpdate) {
    auto& intro = *world.SpawnReserved<BossIntro>(12.0f);
    EXPECT_EQ(flow.halts, 1);
    EXPECT_EQ(intro.y, -80.0f);
    EXPECT_EQ(intro.hitPoints, 0.0f);
    EXPECT_EQ(intro.hitRight, 11.0f);
    world.SetBossGauge(0.7f);
    Step();
    EXPECT_EQ(flow.warnings, 1);
    EXPECT_EQ(world.GetBossGauge(), 0.0f);
    Steps(59);
    EXPECT_EQ(intro.y, -80.0f);
    Steps(30);  // 90 updates
    EXPECT_EQ(intro.y, -50.0f);
    EXPECT_FLOAT_EQ(world.GetBossGauge(), 29.0f / 60.0f);
    Steps(60);  // 150
    EXPECT_EQ(intro.y, -20.0f);
    EXPECT_FLOAT_EQ(world.GetBossGauge(), 59.0f / 60.0f);
    EXPECT_EQ(world.GetBossTimer(), -1);
    ASSERT_EQ(CountOf<BossIntro>(world.enemyPool), 1);
    intro.hitPoints = -50.0f;  // shots spend themselves on it; it has no death
    Step();
    EXPECT_EQ(CountOf<BossIntro>(world.enemyPool), 0);
    auto cores = All<BossCore>(world.enemyPool);
    ASSERT_EQ(cores.size(), 1u);
    EXPECT_EQ(cores[0]->x, 12.0f);
    EXPECT_EQ(cores[0]->y, -20.0f);
    EXPECT_EQ(cores[0]->hitPoints, 2000.0f);
    // Made at the tail of the pass, the core had its first update in it.
    EXPECT_EQ(cores[0]->counter, 1);
    EXPECT_EQ(world.GetBossTimer(), 3599);
    EXPECT_EQ(world.GetBossGauge(), 1.0f);
    EXPECT_EQ(flow.warnings, 1);
    EXPECT_EQ(flow.halts, 1);
    EXPECT_EQ(Score(), 0);
}

TEST_F(BossTest, TheCoreFiresCounterTurningRingsAndAimedBurstsThatAlternateColour) {
    PlayerShip& ship = Ship(0.0f, 40.0f);
    BossCore& core = Core(5.0f, -20.0f);
    int variant = core.variant;
    RandomMirror mirror(world);
    for (int c = 0; c < 120; ++c) {
        auto fired = EnemyPass();
        std::size_t i = 0;
        int aimedVariant = variant;
        float yaw = 0.001f * c;
        if (c % 10 == 0 || c % 10 == 5) {
            bool with = c % 10 == 0;
            for (int k = 0; k < 4; ++k, ++i) {
                ASSERT_LT(i, fired.size()) << c;
                EXPECT_EQ(fired[i]->model,
                          world.NeedleTable().models[with ? variant : 1 - variant]);
                float expected = with ? k / 4.0f + yaw : -yaw + (k + 0.5f) / 4.0f;
                EXPECT_NEAR(fired[i]->yaw - 0.25f, expected, 1e-5f) << c;
            }
        }
        if (c % 60 < 30 && c % 4 == 0) {
            ASSERT_EQ(fired.size(), i + 1) << c;
            auto* aimed = dynamic_cast<AimedBullet*>(fired[i]);
            ASSERT_NE(aimed, nullptr);
            EXPECT_EQ(aimed->model, world.BulletTable().models[aimedVariant]);
            float offset = static_cast<float>(0.05 * mirror.Signed());
            EXPECT_NEAR(aimed->yaw,
                        std::atan2(ship.y - core.y, ship.x - core.x) / (2 * kPi) + offset, 1e-5f);
            variant = 1 - variant;
            ++i;
        }
        ASSERT_EQ(fired.size(), i) << c;
        EXPECT_EQ(core.variant, variant);
    }
    EXPECT_EQ(world.RandomState(), mirror.generator);
    EXPECT_EQ(world.GetBossTimer(), 3600 - 120);

    // Without a ship the rings go on and the colour still alternates at every
    // aimed moment, but nothing is aimed and nothing drawn.
    world.playerPool.Clear();
    core.hitPoints = 500.0f;
    int rings = 0;
    for (int c = 120; c < 180; ++c) {
        auto fired = EnemyPass();
        for (EnemyBullet* b : fired)
            EXPECT_EQ(dynamic_cast<AimedBullet*>(b), nullptr);
        rings += static_cast<int>(fired.size()) / 4;
        if (c % 60 < 30 && c % 4 == 0) variant = 1 - variant;
        EXPECT_EQ(core.variant, variant) << c;
    }
    EXPECT_EQ(rings, 12);
    EXPECT_EQ(world.RandomState(), mirror.generator);
    EXPECT_EQ(world.GetBossGauge(), 0.25f);
}

TEST_F(BossTest, ACoreDestroyedInTimeScoresTheBonusTurnsBulletsIntoItemsAndSplitsInFour) {
    BossCore& core = Core(10.0f, -20.0f);
    Steps(100);
    core.hitPoints = 0.0f;
    int t = world.GetBossTimer();
    world.bulletPool.UpdateAll(world);
    int bullets = world.bulletPool.Count();
    ASSERT_GT(bullets, 0);
    world.enemyPool.UpdateAll(world);
    EXPECT_EQ(Score(), 10 * t + 10000);
    EXPECT_EQ(CountOf<BossExplosion>(world.effectPool), 1);
    EXPECT_EQ(world.bulletPool.Count(), 0);
    // One item for each bullet, the ring of its last update included, and the explosion's own.
    EXPECT_EQ(CountOf<ScoreItem>(world.itemPool), bullets + 4 + 1);
    EXPECT_EQ(Plays("sndBossOut"), 1);

    auto parts = All<BossPart>(world.enemyPool);
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0]->partner, parts[1]);
    EXPECT_EQ(parts[1]->partner, parts[0]);
    EXPECT_EQ(parts[2]->partner, parts[3]);
    EXPECT_EQ(parts[3]->partner, parts[2]);
    // Each had its first update in the pass that made them.
    EXPECT_EQ(world.GetBossTimer(), 3600 - 4);
    Steps(29);
    float xs[] = {-20.0f, 40.0f, -20.0f, 40.0f};
    float ys[] = {-20.0f, -20.0f, -10.0f, -10.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(parts[i]->x, xs[i]);  // 30 updates of drifting apart
        EXPECT_EQ(parts[i]->y, ys[i]);
        EXPECT_EQ(parts[i]->hitPoints, 1000.0f);
    }
    EXPECT_EQ(world.GetBossTimer(), 3600 - 4 * 30);  // four parts, four a step
    Steps(3);
    EXPECT_EQ(parts[0]->x, -20.0f);  // then they hold their place and fire
    EXPECT_EQ(world.bulletPool.Count(), 4 * 4);
}

TEST_F(BossTest, ACoreOutOfTimeScoresNothingButThePartsComeAllTheSame) {
    BossCore& core = Core();
    world.SetBossTimer(1);
    Step();  // 1 -> 0
    EXPECT_EQ(CountOf<BossCore>(world.enemyPool), 1);
    EXPECT_GT(core.hitPoints, 0.0f);
    Step();  // 0 was the last update left
    EXPECT_EQ(CountOf<BossCore>(world.enemyPool), 1);
    Step();
    EXPECT_EQ(CountOf<BossCore>(world.enemyPool), 0);
    EXPECT_EQ(CountOf<BossPart>(world.enemyPool), 4);
    EXPECT_EQ(Score(), 0);
    EXPECT_EQ(world.effectPool.Count(), 0);
    EXPECT_EQ(world.GetBossTimer(), 3596);
}

TEST_F(BossTest, PartsFireDenserRingsAfterDriftingAndGaugeTheirPair) {
    auto parts = PartsFromCore();
    Ship(0.0f, 40.0f);
    Steps(29);  // counters at 30
    int aimed = 0;
    for (int c = 30; c < 120; ++c) {
        world.bulletPool.Clear();
        int before = world.bulletPool.Count();
        EnemyPass();
        int n = world.bulletPool.Count() - before;
        int rings = (c % 16 == 0 || c % 16 == 8) ? 4 : 0;
        int shots = (c % 90 < 30 && c % 4 == 0) ? 1 : 0;
        EXPECT_EQ(n, 4 * (rings + shots)) << c;
        aimed += 4 * shots;
    }
    EXPECT_EQ(aimed, 4 * 7);  // 92, 96, ... 116
    parts[2]->hitPoints = 300.0f;
    parts[3]->hitPoints = 200.0f;
    EnemyPass();  // the last part to update shows its pair
    EXPECT_EQ(world.GetBossGauge(), 0.25f);
}

TEST_F(BossTest, DestroyingTheFirstPairEndsTheFightTwiceInOneStepAndTheOtherPairEscapes) {
    auto parts = PartsFromCore();
    Steps(50);
    int score = Score();
    parts[0]->hitPoints = -1000.0f;  // one far below zero, its partner untouched: the sum ends it
    int t = world.GetBossTimer();
    float escapeX = parts[2]->x;
    Step();
    EXPECT_EQ(Score() - score, 10 * t + 10000);
    EXPECT_EQ(flow.fightsEnded, 2);
    EXPECT_EQ(world.GetBossTimer(), -1);
    EXPECT_EQ(CountOf<BossPart>(world.enemyPool), 0);
    EXPECT_EQ(CountOf<BossExplosion>(world.effectPool), 2);
    auto escapes = All<BossEscape>(world.enemyPool);
    ASSERT_EQ(escapes.size(), 2u);
    EXPECT_EQ(escapes[0]->x, escapeX);
    Steps(58);
    EXPECT_EQ(world.enemyPool.Count(), 2);
    Step();
    EXPECT_EQ(world.enemyPool.Count(), 0);
    EXPECT_EQ(flow.fightsEnded, 2);
    EXPECT_EQ(Score() - score, 10 * t + 10000);
}

TEST_F(BossTest, DestroyingTheSecondPairEndsTheFightAgainAtTheFirstPairsNextUpdate) {
    auto parts = PartsFromCore();
    parts[3]->hitPoints = 0.0f;
    parts[2]->hitPoints = -5.0f;
    Step();
    EXPECT_EQ(flow.fightsEnded, 1);
    EXPECT_EQ(CountOf<BossPart>(world.enemyPool), 2);
    EXPECT_EQ(world.GetBossTimer(), -1);
    int score = Score();
    Step();
    EXPECT_EQ(flow.fightsEnded, 2);
    EXPECT_EQ(Score(), score);
    EXPECT_EQ(CountOf<BossPart>(world.enemyPool), 0);
    EXPECT_EQ(CountOf<BossEscape>(world.enemyPool), 2);
    EXPECT_EQ(world.GetBossTimer(), -1);
}

TEST_F(BossTest, PartsOutOfTimeAllEscapeWithoutScore) {
    auto parts = PartsFromCore();
    int score = Score();
    // 3596 left after the first update, four a step: the second part finds -1 at step 900.
    Steps(898);
    EXPECT_EQ(world.GetBossTimer(), 4);
    EXPECT_EQ(flow.fightsEnded, 0);
    Step();
    EXPECT_EQ(flow.fightsEnded, 0);
    Step();
    EXPECT_EQ(flow.fightsEnded, 2);
    EXPECT_EQ(Score(), score);
    EXPECT_EQ(CountOf<BossEscape>(world.enemyPool), 4);
    // The first part lost its partner after its own update and goes at its next.
    EXPECT_EQ(CountOf<BossPart>(world.enemyPool), 1);
    EXPECT_EQ(world.GetBossTimer(), -1);
    Step();
    EXPECT_EQ(world.enemyPool.Count(), 4);
    EXPECT_EQ(flow.fightsEnded, 2);
}

TEST_F(BossTest, EveryPhaseComesEvenWhenOtherEnemiesFillThePool) {
    while (world.Spawn<TestEnemy>(0.0f, -40.0f, 1e9f)) {
    }
    const int crowd = world.enemyPool.Count();
    ASSERT_EQ(crowd, 500 - Enemy::kBossSlots);
    ASSERT_NE(FindEnemyKind("boss")->create(world, 0.0f), nullptr);
    EXPECT_EQ(flow.halts, 1);
    Steps(151);
    ASSERT_EQ(CountOf<BossCore>(world.enemyPool), 1);
    All<BossCore>(world.enemyPool)[0]->hitPoints = 0.0f;
    Step();
    auto parts = All<BossPart>(world.enemyPool);
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0]->partner, parts[1]);
    EXPECT_EQ(parts[2]->partner, parts[3]);
    EXPECT_EQ(world.Spawn<TestEnemy>(0.0f, 0.0f), nullptr);  // the rest is the boss's

    world.SetBossTimer(0);  // the natural time-out: the second part finds -1
    Step();
    EXPECT_EQ(CountOf<BossEscape>(world.enemyPool), 4);
    EXPECT_EQ(world.enemyPool.Count(), crowd + 1 + 4);  // the lingering part
    EXPECT_EQ(flow.fightsEnded, 2);
    Steps(60);
    EXPECT_EQ(world.enemyPool.Count(), crowd);
}
