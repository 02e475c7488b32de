#include <cmath>
#include <utility>

#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/BulletKinds.h"
#include "world/Effect.h"
#include "world/Field.h"
#include "world/Item.h"
#include "world/PlayerDeath.h"
#include "world/PlayerStates.h"

namespace {

struct PlayerShipTest : WorldFixture {
    PlayerActive& Place(float x, float y, int options) {
        auto* ship = world.Spawn<PlayerActive>(x, y, options);
        world.SetPlayer(ship);
        return *ship;
    }
    // A bullet that stays where it is put.
    void BulletAt(float x, float y) {
        world.Spawn<AngleBullet>(world.BulletTable(), 0, x, y, 0.25f, 0.0f, 0.0f);
    }
    int Score() const { return std::stoi(world.GetScore().Text()); }
};

}  // namespace

TEST_F(PlayerShipTest, TheShipStaysOnTheFieldAndLevelsOutWhenLetGo) {
    PlayerActive& ship = Place(0, 0, 0);
    Steps(200, Pad({Hold::Right, Hold::Down}));
    EXPECT_EQ(ship.x, field::kShipBound);
    EXPECT_EQ(ship.y, field::kShipBound);
    EXPECT_GT(ship.bank, 0.0f);
    Steps(20);
    for (int i = 0; i < 3; ++i) {  // and stays level
        EXPECT_EQ(ship.bank, 0.0f);
        Step();
    }
}

// Focus slows the ship to a share of its speed, diagonals too, and shows the
// box bullets hit; let go, the ship moves exactly as it always did.
TEST_F(PlayerShipTest, FocusSlowsTheShipAndShowsItsHitBoxWhileHeld) {
    PlayerActive& ship = Place(0, 0, 0);
    Step(Pad({Hold::Right}));
    const float full = ship.x;
    EXPECT_EQ(full, field::kShipSpeed);
    Step(Pad({Hold::Right, Hold::Focus}));
    const float slow = ship.x - full;
    EXPECT_GT(slow, 0.0f);
    EXPECT_LT(slow, full / 2);
    const float x = ship.x, y = ship.y;
    Step(Pad({Hold::Left, Hold::Up, Hold::Focus}));
    EXPECT_FLOAT_EQ(x - ship.x, slow * field::kDiagonal);
    EXPECT_FLOAT_EQ(y - ship.y, slow * field::kDiagonal);

    // Drawn in pixels round the ship's place: its box, a little frame around it.
    auto boxes = [&] {
        Backend().Forget();
        world.Draw();
        return Backend().quadDraws.size();
    };
    world.SetPad(Pad());
    const std::size_t plain = boxes();
    world.SetPad(Pad({Hold::Focus}));
    EXPECT_EQ(boxes(), plain + 3);
    const auto& frame = Backend().quadDraws.at(plain);
    const float across = static_cast<float>(world.ScreenWidth()) / field::kSize;
    EXPECT_FLOAT_EQ(frame.x, (ship.x + ship.hitLeft + field::kHalf) * across - 1);
}

TEST_F(PlayerShipTest, HoveringOptionsTakeTheFirstEnemiesInListOrder) {
    PlayerActive& ship = Place(0, 0, 2);
    for (int i = 0; i < 12; ++i)  // more enemies than there can be options
        world.Spawn<TestEnemy>(-44.0f + 8.0f * static_cast<float>(i), -30.0f);
    Steps(100, Pad({Hold::Hover}));
    EXPECT_EQ(ship.optionSlots[0].x, -44.0f);
    EXPECT_EQ(ship.optionSlots[1].x, -36.0f);
    EXPECT_GT(ship.optionSlots[0].y, -30.0f);  // just below its enemy
    for (int i = 2; i < PlayerShip::kMaxOptions; ++i)
        EXPECT_EQ(ship.optionSlots[i].x, ship.x);
}

TEST_F(PlayerShipTest, ABulletPassingCloseIsGrazedOnceForFiftyPoints) {
    Place(0, 0, 0);
    BulletAt(5.29f, -5.29f);
    BulletAt(-5.3f, 0.0f);  // touching the graze box only
    Steps(3);
    EXPECT_EQ(Score(), 50);
    EXPECT_EQ(Plays("sndKasuri"), 1);
    EXPECT_EQ(CountOf<GrazeSpark>(world.effectPool), 1);
    EXPECT_EQ(world.tally.grazes, 1);  // for the results after the game
    EXPECT_NE(world.GetPlayer(), nullptr);
}

// A graze is seen: a bright star flashes on the grazed bullet's place for a
// moment, and what is drawn after it keeps its textures.
TEST_F(PlayerShipTest, AGrazeFlashesWhereTheBulletPassed) {
    Place(0, 0, 0);
    BulletAt(5.29f, -5.29f);
    Steps(3);
    ASSERT_EQ(CountOf<GrazeSpark>(world.effectPool), 1);
    const GrazeSpark& spark = **Each<GrazeSpark>(world.effectPool).begin();
    const glm::vec2 at = world.OnScreen(spark.x, spark.y);
    auto flashes = [&] {
        Backend().Forget();
        world.Draw();
        int near = 0;
        for (const auto& quad : Backend().quadDraws)
            near += std::abs(quad.x - at.x) < 16.0f && std::abs(quad.y - at.y) < 16.0f &&
                    (quad.color & 0xFFFFFF) != 0;
        return near;
    };
    EXPECT_GE(flashes(), 2);
    ASSERT_FALSE(Backend().meshDraws.empty());  // the ship, drawn after the effects
    for (const auto& mesh : Backend().meshDraws)
        EXPECT_EQ(mesh.colorOp, kTopModulate);
    Steps(20);
    EXPECT_EQ(flashes(), 0);  // gone well before the next graze could come
}

// The death has an effect slot of its own, so a field full of effects never swallows it.
TEST_F(PlayerShipTest, AHitShipComesBackWhereItFellShieldedForAWhileHoweverFullTheField) {
    Place(10, 20, 0);
    TestEnemy& rammed = *world.Spawn<TestEnemy>(12.7f, 20.0f, 25.0f);
    while (world.Spawn<GrazeSpark>(30.0f, 30.0f)) {
    }
    Step();
    EXPECT_LT(rammed.hitPoints, 25.0f);
    EXPECT_EQ(world.GetPlayer(), nullptr);
    EXPECT_EQ(world.effectPool.Count(), world.effectPool.Capacity());
    world.enemyPool.Clear();
    for (int i = 0; i < 100 && !world.GetPlayer(); ++i)
        Step();
    auto* respawn = dynamic_cast<PlayerRespawn*>(world.GetPlayer());
    ASSERT_NE(respawn, nullptr);
    EXPECT_EQ(world.GetLives(), 2);
    EXPECT_EQ(respawn->x, 10.0f);
    EXPECT_EQ(respawn->y, 20.0f);

    BulletAt(10.59f, 20.59f);
    int shielded = 0;
    for (; shielded < 300 && dynamic_cast<PlayerRespawn*>(world.GetPlayer()); ++shielded)
        Step();
    EXPECT_GT(shielded, 60);
    EXPECT_EQ(world.GetPlayer(), nullptr);   // hit as soon as the shield was gone
    EXPECT_EQ(world.bulletPool.Count(), 1);  // the bullet flies on
    EXPECT_EQ(Score(), 0);                   // the bullet that hits is not grazed
}

TEST_F(PlayerShipTest, ALostShipDropsHalfItsOptionsAndTheLastOneEndsTheGameWithTen) {
    const std::pair<int, int> deaths[] = {{5, 3}, {10, 5}, {1, 10}};  // options, dropped
    for (auto [options, dropped] : deaths) {
        world.Clear();
        Place(-30, 30, options);
        BulletAt(-30, 30);
        Step();
        world.bulletPool.Clear();
        Steps(51);
        int around = world.GetPlayer() ? world.GetPlayer()->optionCount : 0;
        for (PowerItem* item : All<PowerItem>(world.itemPool))
            around += item->kind == PowerKind::Option;
        EXPECT_EQ(around, dropped) << options;
    }
    EXPECT_EQ(world.GetLives(), 0);
    EXPECT_EQ(flow.gameOvers, 1);  // the game takes it from here
    EXPECT_EQ(world.playerPool.Count(), 0);
}

TEST_F(PlayerShipTest, AnOptionBeyondTheTenthScoresAHundred) {
    PlayerActive& ship = Place(0, 0, 9);
    for (int score : {0, 100}) {
        ship.AddOption(world);
        EXPECT_EQ(ship.optionCount, 10);
        EXPECT_EQ(Score(), score);
    }
    EXPECT_EQ(Plays("sndVoiceOption"), 2);
}
