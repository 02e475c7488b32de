#include <cmath>

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

struct ItemFixture : WorldFixture {
    PlayerActive& Place(float x, float y, int options) {
        auto* ship = world.Spawn<PlayerActive>(x, y, options);
        world.SetPlayer(ship);
        return *ship;
    }
    PowerItem& Power(float x, float y, PowerKind kind, float vx, float vy) {
        PowerItem& item = *world.Spawn<PowerItem>(x, y, kind);
        item.velocity = {vx, vy};
        return item;
    }
};

}  // namespace

TEST_F(ItemFixture, ScoreItemsFallWithoutAShipAndHomeOnOne) {
    ScoreItem& item = *world.Spawn<ScoreItem>(0.0f, -40.0f);
    Steps(2);
    EXPECT_EQ(item.y, -39.0f);
    EXPECT_FLOAT_EQ(item.spin, 0.02f);

    Place(30.0f, -39.0f, 0);
    Step();  // 30 away: slowly
    EXPECT_FLOAT_EQ(item.x, 0.5f);
    Steps(24);  // within 20 once past x = 10: faster
    EXPECT_FLOAT_EQ(item.x, 0.5f * 21 + 1.2f * 4);
}

TEST_F(ItemFixture, ACollectedScoreItemScoresTenWithAPopup) {
    Place(0.0f, 0.0f, 0);
    world.Spawn<ScoreItem>(4.4f, 0.0f);  // 1.2 closer is within the boxes
    Step();
    EXPECT_EQ(world.itemPool.Count(), 0);
    EXPECT_EQ(world.GetScore().Text(), "000000000010");
    EXPECT_EQ(Plays("sndCap1"), 1);
    ASSERT_EQ(world.popupPool.Count(), 1);
    auto* popup = *Each<ScorePopup>(world.popupPool).begin();
    EXPECT_STREQ(popup->text, "10");
    EXPECT_EQ(popup->length, 2);
    EXPECT_FLOAT_EQ(popup->x, 3.2f);
}

TEST_F(ItemFixture, PowerItemsBounceInsideTheFieldUntilCollected) {
    PowerItem& item = Power(44.9f, -44.9f, PowerKind::Option, 0.3f, -0.3f);
    Step();
    EXPECT_FLOAT_EQ(item.x, 45.2f);  // not yet past the edge
    Step();
    EXPECT_FLOAT_EQ(item.velocity.x, -0.3f);
    EXPECT_FLOAT_EQ(item.velocity.y, 0.3f);
    EXPECT_FLOAT_EQ(item.x, 44.9f);
    Steps(1000);
    EXPECT_LE(std::abs(item.x), 45.3f);
    EXPECT_LE(std::abs(item.y), 45.3f);
}

TEST_F(ItemFixture, PowerItemsHomeOnlyWithinTwentyAndGiveAnOption) {
    PlayerActive& ship = Place(0.0f, 0.0f, 3);
    PowerItem& far = Power(-20.0f, 0.0f, PowerKind::Option, 0.3f, 0.3f);
    Step();
    EXPECT_FLOAT_EQ(far.x, -19.7f);  // drifts
    EXPECT_FLOAT_EQ(far.y, 0.3f);
    Step();
    EXPECT_LT(far.x, -18.2f);  // now homing at 1.2
    Steps(20);
    EXPECT_EQ(world.itemPool.Count(), 0);
    EXPECT_EQ(ship.optionCount, 4);
    EXPECT_EQ(Plays("sndCap2"), 1);
    EXPECT_EQ(Plays("sndVoiceOption"), 1);
}

TEST_F(ItemFixture, ALargeExplosionLeavesElevenScoreItemsAndAPowerItem) {
    world.Spawn<Explosion>(0.0f, -20.0f, 0.2f);
    EXPECT_EQ(world.itemPool.Count(), 1);
    world.itemPool.Clear();

    world.Spawn<LargeExplosion>(0.0f, -20.0f);  // no ship: no power item
    EXPECT_EQ(CountOf<ScoreItem>(world.itemPool), 11);
    EXPECT_EQ(CountOf<PowerItem>(world.itemPool), 0);
    EXPECT_EQ(Plays("sndBom1"), 2);
    EXPECT_EQ(Plays("sndCrash"), 1);
    for (Item* item : Each<Item>(world.itemPool)) {
        EXPECT_LE(std::abs(item->x), 10.0f);
        EXPECT_LE(std::abs(item->y + 20.0f), 10.0f);
    }
    world.itemPool.Clear();

    Place(0.0f, 40.0f, 9);
    world.Spawn<LargeExplosion>(0.0f, -20.0f);
    ASSERT_EQ(CountOf<PowerItem>(world.itemPool), 1);
    EXPECT_EQ(CountOf<ScoreItem>(world.itemPool), 11);
}

TEST_F(ItemFixture, AtTenOptionsTheDropIsABombThatClearsTheField) {
    Place(0.0f, 30.0f, 10);
    world.Spawn<AngleBullet>(world.BulletTable(), 0, 31.0f, 5.0f, 0.0f, 0.0f, 0.0f);  // 986 squared
    world.Spawn<AngleBullet>(world.BulletTable(), 1, 31.7f, 0.0f, 0.0f, 0.0f,
                             0.0f);  // 1004.9 squared
    world.Spawn<LargeExplosion>(0.0f, 0.0f);
    EXPECT_EQ(world.bulletPool.Count(), 1);
    ASSERT_EQ(CountOf<VanishEffect>(world.effectPool), 1);
    VanishEffect& vanish = *First<VanishEffect>(world.effectPool);
    EXPECT_EQ(vanish.x, 31.0f);
    EXPECT_EQ(vanish.model, &world.Model("bullet1"));

    PowerItem* bomb = First<PowerItem>(world.itemPool);
    ASSERT_NE(bomb, nullptr);
    EXPECT_EQ(bomb->kind, PowerKind::Bomb);
    world.itemPool.Clear();

    for (int i = 0; i < 20; ++i)
        world.Spawn<AngleBullet>(world.BulletTable(), 0, -40.0f + 4 * i, -40.0f, 0.0f, 0.0f, 0.0f);
    TestEnemy& enemy = *world.Spawn<TestEnemy>(0.0f, -30.0f, 100.0f);
    Power(0.0f, 30.0f, PowerKind::Bomb, 0.0f, 0.0f);
    Step();
    EXPECT_EQ(world.bombPool.Count(), 1);
    EXPECT_EQ(Plays("sndBomb1"), 1);
    EXPECT_EQ(world.bulletPool.Count(), 21);  // the bomb runs from the next step on
    Step();
    EXPECT_EQ(world.bulletPool.Count(), 0);
    Steps(40);
    EXPECT_EQ(world.bombPool.Count(), 0);
    EXPECT_EQ(enemy.hitPoints, 70.0f);  // one hit point a step for 30 steps
}

TEST_F(ItemFixture, OnlyTwoBombsAtOnce) {
    for (int i = 0; i < 3; ++i)
        world.Spawn<ScreenBomb>();
    EXPECT_EQ(world.bombPool.Count(), 2);
    EXPECT_EQ(Plays("sndBomb1"), 2);
}

TEST_F(ItemFixture, TheBossExplosionTurnsEveryBulletIntoAScoreItem) {
    for (int i = 0; i < 5; ++i)
        world.Spawn<AngleBullet>(world.NeedleTable(), 0, -40.0f + 20 * i, 40.0f, 0.0f, 0.0f, 0.0f);
    world.Spawn<BossExplosion>(0.0f, -30.0f);
    EXPECT_EQ(world.bulletPool.Count(), 0);
    EXPECT_EQ(CountOf<VanishEffect>(world.effectPool), 5);
    EXPECT_EQ(CountOf<ScoreItem>(world.itemPool), 1 + 5);
    EXPECT_EQ(Plays("sndBossOut"), 1);
    int atBullets = 0;
    for (Item* item : Each<Item>(world.itemPool))
        atBullets += item->y == 40.0f;
    EXPECT_EQ(atBullets, 5);
}
