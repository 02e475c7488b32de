#include <string>

#include <gtest/gtest.h>

#include "support/EnemyFixture.h"
#include "support/GameContent.h"
#include "world/Boss.h"
#include "world/BulletKinds.h"

namespace {

struct BossTest : EnemyFixture {
    template <class Phase>
    bool StepUntil(int limit) {
        for (int i = 0; i < limit && CountOf<Phase>(world.enemyPool) == 0; ++i)
            Step();
        return CountOf<Phase>(world.enemyPool) > 0;
    }
};

}  // namespace

// The boss's phases bring each other in through its reserved slots, so however
// full the field, the fight reaches its end and the stage goes on. The fullest
// moment is a time-out of the parts: one lingers beside the other pair while
// four escape.
TEST_F(BossTest, EveryPhaseComesAndTheFightEndsEvenInAFullPool) {
    for (bool crowded : {false, true}) {
        for (bool outOfTime : {false, true}) {
            SCOPED_TRACE(std::string(crowded ? "crowded" : "alone") +
                         (outOfTime ? ", out of time" : ", destroyed"));
            world.Clear();
            while (crowded && world.Spawn<TestEnemy>(0.0f, -40.0f, 1e9f)) {
            }
            const int crowd = world.enemyPool.Count();
            flow = RecordingFlow{};
            int score = Score();
            Enemy* intro = SpawnBoss(world, GameBoss("boss"), 0.0f);
            ASSERT_NE(intro, nullptr);
            intro->hitPoints = -50.0f;  // shots spend themselves on it; it cannot die
            ASSERT_TRUE(StepUntil<BossCore>(200));
            EXPECT_EQ(flow.warnings, 1);
            EXPECT_EQ(Score(), score);
            EXPECT_GE(world.BossFightAt(0).timer, 0);

            if (outOfTime) {
                world.BossFightAt(0).timer = 0;
            } else {
                First<BossCore>(world.enemyPool)->hitPoints = 0.0f;
            }
            ASSERT_TRUE(StepUntil<BossPart>(3));
            auto parts = All<BossPart>(world.enemyPool);
            ASSERT_EQ(parts.size(), 4u);
            EXPECT_EQ(parts[0]->partner, parts[1]);
            EXPECT_EQ(parts[2]->partner, parts[3]);
            EXPECT_EQ(Score() > score, !outOfTime) << "a bonus only in time";

            score = Score();
            if (outOfTime) {
                world.BossFightAt(0).timer = 0;
            } else {
                parts[0]->hitPoints = -2000.0f;  // its partner untouched: the pair's sum counts
            }
            Step();
            EXPECT_EQ(flow.fightsEnded, 2);  // once for each pair
            EXPECT_EQ(world.BossFightAt(0).timer, -1);
            EXPECT_EQ(CountOf<BossEscape>(world.enemyPool), outOfTime ? 4 : 2);
            EXPECT_EQ(Score() > score, !outOfTime);
            Steps(61);
            EXPECT_EQ(world.enemyPool.Count(), crowd);
            EXPECT_EQ(flow.fightsEnded, 2);
        }
    }
}

// With no ship the rings go on, and nothing is aimed.
TEST_F(BossTest, CoreAndPartsFireRingsWithoutAShip) {
    auto fire = [&] {
        int bullets = 0;
        for (int i = 0; i < 120; ++i) {
            for (EnemyBullet* b : EnemyPass()) {
                EXPECT_EQ(dynamic_cast<AimedBullet*>(b), nullptr);
                ++bullets;
            }
        }
        return bullets;
    };
    BossCore* core = world.SpawnReserved<BossCore>(GameBoss("boss"), 0, 0, 0.0f, -20.0f);
    EXPECT_GT(fire(), 0);
    core->hitPoints = 0.0f;
    world.enemyPool.UpdateAll(world);  // the core gives way to its parts
    ASSERT_EQ(CountOf<BossPart>(world.enemyPool), 4);
    EXPECT_GT(fire(), 0);
}
