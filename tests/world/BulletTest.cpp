#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/BulletKinds.h"
#include "world/Effect.h"
#include "world/PlayerShot.h"
#include "world/PlayerStates.h"

namespace {

using BulletTest = WorldFixture;

bool HeadsFor(const RetargetNeedle& needle, float x, float y) {
    glm::vec2 to = glm::normalize(glm::vec2(x - needle.x, y - needle.y));
    return glm::dot(glm::normalize(needle.velocity), to) > 0.9999f;
}

}  // namespace

// A needle turns toward the ship once, at its moment; with no ship then it
// keeps its course for good.
TEST_F(BulletTest, NeedlesTurnTowardTheShipOnceAndOnlyIfThereIsOne) {
    auto* blind = world.Spawn<RetargetNeedle>(world.NeedleTable(), 0, -45.0f, -45.0f, 0.0f, 0.5f);
    Steps(60);
    world.SetPlayer(world.Spawn<PlayerActive>(0.0f, 40.0f, 0));
    auto* seeker = world.Spawn<RetargetNeedle>(world.NeedleTable(), 0, -40.0f, -30.0f, 0.0f, 0.5f);
    Steps(60);
    EXPECT_EQ(blind->velocity, glm::vec2(0.5f, 0.0f));
    EXPECT_TRUE(HeadsFor(*seeker, 0.0f, 40.0f));
    world.GetPlayer()->x = -40.0f;
    Steps(10);
    EXPECT_TRUE(HeadsFor(*seeker, 0.0f, 40.0f));
}

TEST_F(BulletTest, AShotHurtsOnlyTheFirstEnemyItOverlapsAndSparks) {
    TestEnemy& first = *world.Spawn<TestEnemy>(0.0f, -10.0f);
    TestEnemy& second = *world.Spawn<TestEnemy>(1.0f, -10.0f);
    world.Spawn<PlayerShot>(0.0f, 0.0f, 0.75f);
    Steps(2);  // its box reaches both
    EXPECT_EQ(first.hitPoints, 9.0f);
    EXPECT_EQ(second.hitPoints, 10.0f);
    EXPECT_EQ(world.playerShotPool.Count(), 0);
    EXPECT_GT(CountOf<HitSpark>(world.effectPool), 0);
}
