#include <optional>

#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/BombBlast.h"
#include "world/BulletKinds.h"
#include "world/Effect.h"
#include "world/Explosion.h"
#include "world/Item.h"
#include "world/PlayerStates.h"
#include "world/ScorePopup.h"

namespace {

struct ItemTest : WorldFixture {
    PlayerActive& Place(float x, float y, int options) {
        auto* ship = world.Spawn<PlayerActive>(x, y, options);
        world.SetPlayer(ship);
        return *ship;
    }
    void BulletAt(float x, float y) {
        world.Spawn<AngleBullet>(world.BulletTable(), 0, x, y, 0.0f, 0.0f, 0.0f);
    }
};

}  // namespace

TEST_F(ItemTest, ScoreItemsFallWithoutAShipAndFlyToOneForTenPointsAndAPopup) {
    ScoreItem& item = *world.Spawn<ScoreItem>(0.0f, -40.0f);
    Steps(2);
    EXPECT_GT(item.y, -40.0f);
    Place(20.0f, -20.0f, 0);
    for (int i = 0; i < 100 && world.itemPool.Count() > 0; ++i)
        Step();
    EXPECT_EQ(world.GetScore().Text(), "000000000010");
    EXPECT_EQ(Plays("sndCap1"), 1);
    ASSERT_EQ(world.popupPool.Count(), 1);
    EXPECT_STREQ(First<ScorePopup>(world.popupPool)->text, "10");
}

// Below ten options a large explosion leaves an option for the ship, at ten a bomb.
TEST_F(ItemTest, ALargeExplosionDropsItemsAPowerItemForAShipAndCancelsBulletsNearIt) {
    for (std::optional<int> options : {std::optional<int>{}, {9}, {10}}) {
        world.Clear();
        if (options) Place(0.0f, 40.0f, *options);
        BulletAt(10.0f, 10.0f);
        BulletAt(-45.0f, -45.0f);
        world.Spawn<LargeExplosion>(0.0f, 0.0f);
        EXPECT_GT(CountOf<ScoreItem>(world.itemPool), 1);
        std::vector<PowerItem*> power = All<PowerItem>(world.itemPool);
        ASSERT_EQ(power.size(), options ? 1u : 0u);
        if (options) {
            EXPECT_EQ(power[0]->kind, *options < 10 ? PowerKind::Option : PowerKind::Bomb);
        }
        EXPECT_EQ(world.bulletPool.Count(), 1);
        EXPECT_EQ(CountOf<VanishEffect>(world.effectPool), 1);
    }
    EXPECT_EQ(Plays("sndCrash"), 3);
}

TEST_F(ItemTest, ACollectedBombClearsEveryBulletAndWearsDownTheEnemies) {
    Place(0.0f, 30.0f, 10);
    for (int i = 0; i < 20; ++i)
        BulletAt(-40.0f + 4.0f * static_cast<float>(i), -40.0f);
    TestEnemy& enemy = *world.Spawn<TestEnemy>(0.0f, -30.0f, 100.0f);
    world.Spawn<PowerItem>(0.0f, 30.0f, PowerKind::Bomb);
    Steps(2);
    EXPECT_EQ(Plays("sndBomb1"), 1);
    EXPECT_EQ(world.bulletPool.Count(), 0);
    Steps(40);
    EXPECT_EQ(world.bombPool.Count(), 0);
    EXPECT_LT(enemy.hitPoints, 100.0f);
}
