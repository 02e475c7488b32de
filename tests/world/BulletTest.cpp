#include <cmath>

#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/BulletKinds.h"
#include "world/Effect.h"
#include "world/PlayerShot.h"
#include "world/PlayerStates.h"

namespace {

using BulletFixture = WorldFixture;

}  // namespace

TEST_F(BulletFixture, AngleBulletsAccelerateAlongTheirLineAndRoundOnesSpin) {
    auto* b = world.Spawn<AngleBullet>(world.BulletTable(), 1, 0.0f, 0.0f, 0.25f, 1.0f, 0.5f);
    auto* n = world.Spawn<AngleBullet>(world.NeedleTable(), 0, 0.0f, 0.0f, 0.0f, 1.0f, 0.0f);
    EXPECT_EQ(b->model, &world.Model("bullet2"));
    EXPECT_EQ(n->model, &world.Model("needle1"));
    EXPECT_FLOAT_EQ(b->yaw, 0.5f);
    Steps(2);
    EXPECT_NEAR(b->x, 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(b->y, 1.0f + 1.5f);
    EXPECT_FLOAT_EQ(b->yaw, 0.52f);
    EXPECT_FLOAT_EQ(n->x, 2.0f);
    EXPECT_FLOAT_EQ(n->yaw, 0.25f);  // needles keep their heading
}

TEST_F(BulletFixture, AimedBulletsFlyAtTheirTargetTurnedByTheOffset) {
    auto* straight =
        world.Spawn<AimedBullet>(world.BulletTable(), 0, 0.0f, 0.0f, 3.0f, 4.0f, 0.0f, 1.0f, 0.0f);
    auto* turned = world.Spawn<AimedBullet>(world.BulletTable(), 0, 0.0f, 0.0f, 0.0f, 10.0f, 0.25f,
                                            2.0f, 0.0f);
    Step();
    EXPECT_FLOAT_EQ(straight->x, 0.6f);
    EXPECT_FLOAT_EQ(straight->y, 0.8f);
    EXPECT_FLOAT_EQ(turned->x, -2.0f);  // down plus a quarter turn: to the left
    EXPECT_NEAR(turned->y, 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(turned->yaw, 0.5f + 0.01f);
}

TEST_F(BulletFixture, BulletsLiveWhileTheirCentreIsWithinTheFieldWidenedByFour) {
    world.Spawn<AngleBullet>(world.BulletTable(), 0, 54.0f, -54.0f, 0.0f, 0.0f, 0.0f);
    world.Spawn<AngleBullet>(world.BulletTable(), 0, 0.0f, std::nextafter(54.0f, 99.0f), 0.0f, 0.0f,
                             0.0f);
    Step();
    ASSERT_EQ(world.bulletPool.Count(), 1);
    EXPECT_EQ(All<EnemyBullet>(world.bulletPool)[0]->x, 54.0f);
}

TEST_F(BulletFixture, SplitBulletsBurstIntoFiveNeedlesOnTheirFiftiethUpdate) {
    auto* split = world.Spawn<SplitBullet>(world.BulletTable(), 1, 0.0f, 0.0f, 0.75f, 0.4f);
    Steps(49);
    EXPECT_NEAR(split->y, -0.4f * 49, 1e-4f);
    EXPECT_EQ(world.bulletPool.Count(), 1);
    Step();
    auto needles = All<RetargetNeedle>(world.bulletPool);
    ASSERT_EQ(needles.size(), 5u);
    for (int i = 0; i < 5; ++i) {
        RetargetNeedle& n = *needles[i];
        EXPECT_EQ(n.model, &world.Model("needle2"));  // the split bullet's colour
        EXPECT_FLOAT_EQ(n.needleSpeed, 0.6f);
        // Already moved once in the pass that made them.
        float direction = 0.75f - 0.4f + 0.2f * i;
        EXPECT_NEAR(n.x, 0.6f * std::cos(direction * 2 * 3.14159265f), 1e-5f);
        EXPECT_NEAR(n.y, -20.0f + 0.6f * std::sin(direction * 2 * 3.14159265f), 1e-4f);
        EXPECT_EQ(n.retargetTimer, 29);
    }
}

TEST_F(BulletFixture, NeedlesTurnTowardTheShipOnceAndOnlyIfThereIsOne) {
    auto* blind = world.Spawn<RetargetNeedle>(world.NeedleTable(), 0, -50.0f, -40.0f, 0.0f, 1.0f);
    Steps(30);
    EXPECT_FLOAT_EQ(blind->velocity.x, 1.0f);  // no ship at its moment: straight on for good
    world.SetPlayer(world.Spawn<PlayerActive>(0.0f, 40.0f, 0));

    auto* seeker = world.Spawn<RetargetNeedle>(world.NeedleTable(), 0, -10.0f, 0.0f, 0.0f, 2.0f);
    Steps(29);
    EXPECT_FLOAT_EQ(seeker->x, 48.0f);
    Step();  // at (50, 0): turns toward the ship at (0, 40)
    EXPECT_FLOAT_EQ(seeker->velocity.x, -2.0f * 50 / std::hypot(50.0f, 40.0f));
    EXPECT_FLOAT_EQ(seeker->velocity.y, 2.0f * 40 / std::hypot(50.0f, 40.0f));
    EXPECT_FLOAT_EQ(seeker->yaw, std::atan2(40.0f, -50.0f) / (2 * 3.14159265f) + 0.25f);
    Step();
    EXPECT_FLOAT_EQ(blind->velocity.x, 1.0f);
    EXPECT_FLOAT_EQ(blind->velocity.y, 0.0f);
}

TEST_F(BulletFixture, AShotHurtsOnlyTheFirstEnemyItOverlapsAndSparks) {
    TestEnemy& first = *world.Spawn<TestEnemy>(0.0f, -10.0f);
    TestEnemy& second = *world.Spawn<TestEnemy>(1.0f, -10.0f);
    world.Spawn<PlayerShot>(0.0f, 0.0f, 0.75f);
    Steps(2);  // 4.8 up: the 4-unit box reaches both
    EXPECT_EQ(first.hitPoints, 9.0f);
    EXPECT_EQ(second.hitPoints, 10.0f);
    EXPECT_EQ(world.playerShotPool.Count(), 0);
    auto sparks = All<HitSpark>(world.effectPool);
    ASSERT_EQ(sparks.size(), 3u);
    EXPECT_EQ(sparks[0]->age, 0);  // made after the effects ran this step
    EXPECT_EQ(sparks[1]->age, -5);
    EXPECT_EQ(sparks[2]->age, -10);
    EXPECT_FLOAT_EQ(sparks[0]->y, -4.8f - 4.0f);
    for (HitSpark* s : sparks)
        EXPECT_GT(s->velocity.y, 0.0f);  // down the field
}

TEST_F(BulletFixture, ShotsLeaveTheFieldWidenedByFive) {
    auto* shot = world.Spawn<PlayerShot>(0.0f, -52.6f, 0.75f);
    Step();
    EXPECT_FLOAT_EQ(shot->y, -55.0f);
    EXPECT_EQ(world.playerShotPool.Count(), 1);
    Step();
    EXPECT_EQ(world.playerShotPool.Count(), 0);
}
