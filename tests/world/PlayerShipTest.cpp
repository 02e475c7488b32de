#include <cmath>

#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/BulletKinds.h"
#include "world/Effect.h"
#include "world/Item.h"
#include "world/PlayerDeath.h"
#include "world/PlayerStates.h"

namespace {

struct ShipFixture : WorldFixture {
    PlayerActive& Place(float x, float y, int options) {
        auto* ship = world.Spawn<PlayerActive>(x, y, options);
        world.SetPlayer(ship);
        return *ship;
    }
    // A bullet that stays where it is put.
    AngleBullet& BulletAt(float x, float y) {
        return *world.Spawn<AngleBullet>(world.BulletTable(), 0, x, y, 0.25f, 0.0f, 0.0f);
    }
    int Volleys() const { return Plays("sndShot"); }
    template <class T>
    T* Ship() {
        return dynamic_cast<T*>(world.GetPlayer());
    }
    int OptionItems() {
        int n = 0;
        for (Item* item : Each<Item>(world.itemPool)) {
            auto* power = dynamic_cast<PowerItem*>(item);
            if (power && power->kind == PowerKind::Option) ++n;
        }
        return n;
    }
};

}  // namespace

TEST_F(ShipFixture, AHeldButtonFiresOnEveryFourthUpdateFromPhaseZero) {
    PlayerActive& ship = Place(0, 30, 2);
    Steps(2);  // the phase moves on while nothing is held
    std::vector<int> volleys;
    for (int i = 0; i < 9; ++i) {
        Step(Pad({Hold::Fire}));
        volleys.push_back(Volleys());
    }
    EXPECT_EQ(volleys, (std::vector<int>{0, 0, 1, 1, 1, 1, 2, 2, 2}));
    EXPECT_EQ(ship.shotTimer, 15);
    EXPECT_EQ(world.playerShotPool.Count(), 2 * (3 + 2));
}

TEST_F(ShipFixture, AfterReleaseVolleysGoOnForUpToFifteenUpdates) {
    Place(0, 30, 0);
    Steps(4, Pad({Hold::Fire}));  // one volley; the phase is back at 0
    Steps(20);
    EXPECT_EQ(Volleys(), 1 + 4);  // at 0, 4, 8 and 12 updates after release

    Steps(1, Pad({Hold::Fire}));  // a volley, then the release falls on phase 1
    Steps(20);
    EXPECT_EQ(Volleys(), 5 + 1 + 3);
}

TEST_F(ShipFixture, DiagonalsAreSlowerPerAxisAndTheShipStaysInBounds) {
    PlayerActive& ship = Place(0, 0, 0);
    Step(Pad({Hold::Up, Hold::Right}));
    EXPECT_FLOAT_EQ(ship.x, 0.8f / std::sqrt(2.0f));
    EXPECT_FLOAT_EQ(ship.y, -0.8f / std::sqrt(2.0f));
    Step(Pad({Hold::Left}));
    EXPECT_FLOAT_EQ(ship.x, 0.8f / std::sqrt(2.0f) - 0.8f);

    Steps(100, Pad({Hold::Left, Hold::Down}));
    EXPECT_EQ(ship.x, -46.0f);
    EXPECT_EQ(ship.y, 46.0f);
    Steps(200, Pad({Hold::Right, Hold::Up}));
    EXPECT_EQ(ship.x, 46.0f);
    EXPECT_EQ(ship.y, -46.0f);
    float banked = ship.bank;  // banked right as far as it goes
    EXPECT_GT(banked, 0.09f);
    Step(Pad({Hold::Right}));
    EXPECT_EQ(ship.bank, banked);
    Steps(6);  // let go: the ship levels out and stays level
    EXPECT_EQ(ship.bank, 0.0f);
    Step();
    EXPECT_EQ(ship.bank, 0.0f);
}

TEST_F(ShipFixture, OptionsFlyInARowBelowTheShip) {
    PlayerActive& ship = Place(0, 0, 3);
    Steps(20);
    EXPECT_EQ(ship.optionSlots[0].x, -6.0f);
    EXPECT_EQ(ship.optionSlots[1].x, 0.0f);
    EXPECT_EQ(ship.optionSlots[2].x, 6.0f);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(ship.optionSlots[i].y, 5.0f);
    for (int i = 3; i < 10; ++i) {
        EXPECT_EQ(ship.optionSlots[i].x, 0.0f);
        EXPECT_EQ(ship.optionSlots[i].y, 0.0f);
    }

    Step(Pad({Hold::Right}));  // each option moves 0.8 toward its new place
    EXPECT_FLOAT_EQ(ship.optionSlots[0].x, -6.0f + 0.8f * 0.8f / std::hypot(0.8f, 0.0f));
    EXPECT_FLOAT_EQ(ship.optionSlots[3].x, 0.8f);  // 0.8 away: jumps onto it
}

TEST_F(ShipFixture, HoveringOptionsCoverTheFirstEnemiesInListOrder) {
    PlayerActive& ship = Place(0, 0, 2);
    Steps(30, Pad({Hold::Hover}));  // no enemies: every option on the ship
    for (const auto& slot : ship.optionSlots) {
        EXPECT_EQ(slot.x, 0.0f);
        EXPECT_EQ(slot.y, 0.0f);
    }

    world.Spawn<TestEnemy>(-20.0f, -30.0f);
    world.Spawn<TestEnemy>(20.0f, -30.0f);
    world.Spawn<TestEnemy>(0.0f, -40.0f);  // a third enemy: no option for it
    Steps(100, Pad({Hold::Hover, Hold::Right}));
    EXPECT_EQ(ship.optionSlots[0].x, -20.0f);
    EXPECT_EQ(ship.optionSlots[0].y, -20.0f);
    EXPECT_EQ(ship.optionSlots[1].x, 20.0f);
    EXPECT_EQ(ship.optionSlots[1].y, -20.0f);
    EXPECT_EQ(ship.optionSlots[2].x, 0.0f);  // counted past the options: stays put
    EXPECT_EQ(ship.optionSlots[3].x, ship.x);
    EXPECT_EQ(ship.x, 46.0f);
}

TEST_F(ShipFixture, ABulletPassingCloseIsGrazedOnceForFiftyPoints) {
    Place(0, 0, 0);
    AngleBullet& near = BulletAt(5.29f, -5.29f);
    BulletAt(-5.3f, 0.0f);  // touching the graze box only
    Steps(3);
    EXPECT_TRUE(near.grazed);
    EXPECT_EQ(world.GetScore().Text(), "000000000050");
    EXPECT_EQ(Plays("sndKasuri"), 1);
    EXPECT_EQ(world.effectPool.Count(), 1);  // one spark
    ASSERT_NE(Ship<PlayerActive>(), nullptr);
}

TEST_F(ShipFixture, OneBulletOrEnemyOverlappingTheShipKillsIt) {
    Place(0, 0, 0);
    BulletAt(0.59f, 0.59f);
    Step();
    EXPECT_EQ(world.GetPlayer(), nullptr);
    EXPECT_EQ(world.playerPool.Count(), 0);
    EXPECT_EQ(world.GetScore().Text(), "000000000000");  // no graze points
    EXPECT_EQ(world.bulletPool.Count(), 1);              // the bullet stays
    EXPECT_EQ(Plays("sndBossOut"), 1);

    world.bulletPool.Clear();
    Place(0, 0, 0);
    TestEnemy& enemy = *world.Spawn<TestEnemy>(2.7f, 0.0f, 25.0f);
    Step();
    EXPECT_EQ(enemy.hitPoints, 15.0f);
    EXPECT_EQ(world.GetPlayer(), nullptr);
}

TEST_F(ShipFixture, DeathThenRespawnThenActiveAgain) {
    Place(10, 20, 4);
    BulletAt(10, 20);
    Step();
    world.bulletPool.Clear();
    ASSERT_EQ(world.effectPool.Count(), 1);

    Steps(50);
    EXPECT_EQ(world.GetPlayer(), nullptr);
    EXPECT_EQ(world.GetLives(), 3);
    Step();
    EXPECT_EQ(world.GetLives(), 2);
    auto* respawn = Ship<PlayerRespawn>();
    ASSERT_NE(respawn, nullptr);
    EXPECT_EQ(respawn->x, 10.0f);
    EXPECT_EQ(respawn->y, 20.0f);
    // Half of the four options, rounded up, dropped close by; some may be collected already.
    EXPECT_EQ(OptionItems() + respawn->optionCount, 2);

    BulletAt(10, 20);  // shielded
    Steps(119);
    ASSERT_EQ(Ship<PlayerRespawn>(), respawn);
    EXPECT_EQ(respawn->respawnTime, 120);
    world.bulletPool.Clear();
    Step();
    auto* active = Ship<PlayerActive>();
    ASSERT_NE(active, nullptr);
    BulletAt(10, 20);
    Step();
    EXPECT_EQ(world.GetPlayer(), nullptr);  // no longer shielded
}

TEST_F(ShipFixture, DeathsDropHalfTheOptionsAndTheLastOneDropsTen) {
    auto dieWith = [&](int options) {
        world.itemPool.Clear();
        world.playerPool.Clear();
        Place(-30, 30, options);
        BulletAt(-30, 30);
        Step();
        world.bulletPool.Clear();
        Steps(51);
        PlayerShip* ship = world.GetPlayer();
        return OptionItems() + (ship ? ship->optionCount : 0);
    };
    EXPECT_EQ(dieWith(5), 3);
    EXPECT_EQ(dieWith(10), 5);
    EXPECT_EQ(world.GetLives(), 1);
    EXPECT_EQ(flow.gameOvers, 0);

    EXPECT_EQ(dieWith(1), 10);
    EXPECT_EQ(world.GetLives(), 0);
    EXPECT_EQ(flow.gameOvers, 1);  // the game takes it from here
    EXPECT_EQ(world.GetPlayer(), nullptr);
    EXPECT_EQ(world.playerPool.Count(), 0);
    for (Item* item : Each<Item>(world.itemPool)) {  // scattered, then drifted once
        EXPECT_LE(std::abs(item->x + 30.0f), 5.3f + 1e-4f);
        EXPECT_LE(std::abs(item->y - 30.0f), 5.3f + 1e-4f);
    }
}

TEST_F(ShipFixture, TheDeathPlaysEvenWithEveryEffectSlotTaken) {
    Place(0, 0, 0);
    while (world.Spawn<GrazeSpark>(30.0f, 30.0f)) {
    }
    BulletAt(0, 0);
    world.playerPool.UpdateAll(world);  // only the ship: the sparks stay
    EXPECT_EQ(world.effectPool.Count(), world.effectPool.Capacity());
    world.bulletPool.Clear();
    Steps(51);
    EXPECT_NE(Ship<PlayerRespawn>(), nullptr);
    EXPECT_EQ(world.GetLives(), 2);
}

TEST_F(ShipFixture, AnOptionBeyondTheTenthScoresAHundred) {
    PlayerActive& ship = Place(0, 0, 9);
    ship.AddOption(world);
    EXPECT_EQ(ship.optionCount, 10);
    EXPECT_EQ(world.GetScore().Text(), "000000000000");
    ship.AddOption(world);
    EXPECT_EQ(ship.optionCount, 10);
    EXPECT_EQ(world.GetScore().Text(), "000000000100");
    EXPECT_EQ(Plays("sndVoiceOption"), 2);
}

TEST_F(ShipFixture, TheShipFliesInForSixtyUpdatesThenPlays) {
    world.BeginGame();
    auto* entry = Ship<PlayerEntry>();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->x, 0.0f);
    EXPECT_EQ(entry->y, 60.0f);
    Steps(59, Pad({Hold::Fire, Hold::Left}));  // neither fires nor steers
    ASSERT_EQ(Ship<PlayerEntry>(), entry);
    EXPECT_EQ(entry->y, 30.5f);
    EXPECT_EQ(Volleys(), 0);
    Step();
    auto* active = Ship<PlayerActive>();
    ASSERT_NE(active, nullptr);
    EXPECT_EQ(active->x, 0.0f);
    EXPECT_EQ(active->y, 30.0f);
    EXPECT_EQ(active->optionCount, 2);
    EXPECT_EQ(world.playerPool.Count(), 1);
}
