#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/Background.h"
#include "world/Effect.h"
#include "world/Explosion.h"
#include "world/Item.h"
#include "world/PlayerStates.h"

namespace {

struct LargeTestEnemy : LargeEnemy {
    explicit LargeTestEnemy(World& world) : LargeEnemy(world, &world.Model("obj1"), 0.0f) {}
    bool Update(World& world) override {
        y += 1.0f;
        return Survives(world);
    }
};

}  // namespace

TEST_F(WorldFixture, RandomNumbersFollowTheReferenceGenerator) {
    // The first outputs of MT19937 from its default seed 5489.
    EXPECT_DOUBLE_EQ(world.NextRandom(), 3499211612.0 / 4294967295.0);
    EXPECT_DOUBLE_EQ(world.RandomSigned(), 581869302.0 / 4294967295.0 - 0.5);
    std::mt19937 reference;
    reference.discard(2);
    EXPECT_EQ(world.RandomState(), reference);
}

TEST_F(WorldFixture, ADestroyedEnemyScoresExplodesAndGoesInItsOwnUpdate) {
    TestEnemy& small = *world.Spawn<TestEnemy>(-20.0f, 0.0f);
    world.Spawn<LargeTestEnemy>();
    small.hitPoints = 0.0f;
    Step();
    EXPECT_EQ(world.GetScore().Text(), "000000000100");
    EXPECT_EQ(world.enemyPool.Count(), 1);
    EXPECT_EQ(CountOf<Explosion>(world.effectPool), 1);
    EXPECT_EQ(CountOf<ScoreItem>(world.itemPool), 1);

    auto* large = *Each<Enemy>(world.enemyPool).begin();
    large->hitPoints = -3.0f;
    Step();
    EXPECT_EQ(world.GetScore().Text(), "000000001100");
    EXPECT_EQ(world.enemyPool.Count(), 0);
    EXPECT_EQ(CountOf<LargeExplosion>(world.effectPool), 1);
    EXPECT_EQ(CountOf<ScoreItem>(world.itemPool), 1 + 1 + 10);  // no ship: no power item
    EXPECT_EQ(Plays("sndCrash"), 1);
    EXPECT_EQ(Plays("sndBom1"), 2);
}

TEST_F(WorldFixture, EnemiesLeaveSilentlyAtTheBottomOfTheirSize) {
    TestEnemy& small = *world.Spawn<TestEnemy>(0.0f, 57.9f);
    Step();
    EXPECT_EQ(world.enemyPool.Count(), 1);
    small.y = 58.0f;
    Step();
    EXPECT_EQ(world.enemyPool.Count(), 0);

    auto& large = *world.Spawn<LargeTestEnemy>();
    EXPECT_EQ(large.y, -62.0f);
    large.y = 72.0f;
    Step();  // 73
    EXPECT_EQ(world.enemyPool.Count(), 1);
    Step();  // 74
    EXPECT_EQ(world.enemyPool.Count(), 0);
    EXPECT_EQ(world.GetScore().Text(), "000000000000");
    EXPECT_EQ(world.effectPool.Count(), 0);
}

TEST_F(WorldFixture, ANewGameStartsAfreshButKeepsTheHighScore) {
    world.AddScore(500);
    world.LoseLife();
    world.SetBossTimer(90);
    world.SetBossGauge(0.5f);
    Step();
    world.BeginGame();
    EXPECT_EQ(world.GetScore().Text(), "000000000000");
    EXPECT_EQ(world.GetHighScore().Text(), "000000000500");
    EXPECT_EQ(world.GetLives(), 3);
    EXPECT_EQ(world.GetBossTimer(), -1);
    EXPECT_EQ(world.GetBossGauge(), 0.0f);
    EXPECT_EQ(world.GetFrameCounter(), 0);
    ASSERT_NE(dynamic_cast<PlayerEntry*>(world.GetPlayer()), nullptr);
    EXPECT_EQ(world.GetPlayer()->optionCount, 2);
    EXPECT_EQ(world.backgroundPool.Count(), 1);
}

TEST_F(WorldFixture, APausedFieldStandsStill) {
    world.BeginGame();
    world.SetPaused(true);
    Steps(5, Pad({Hold::Left}));
    EXPECT_EQ(world.GetFrameCounter(), 0);
    EXPECT_EQ((*Each<Background>(world.backgroundPool).begin())->counter, 0);
    EXPECT_EQ(world.GetPlayer()->y, 60.0f);
}
