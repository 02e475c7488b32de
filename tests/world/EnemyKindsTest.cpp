#include <cmath>
#include <map>
#include <numbers>

#include <gtest/gtest.h>

#include "support/EnemyFixture.h"
#include "world/BulletKinds.h"
#include "world/EnemyKinds.h"

namespace {

constexpr double kTurn = 2 * std::numbers::pi;

// The direction a fresh bullet flies in, turns: straight ones face a quarter
// turn past it, aimed ones face it.
float AngleOf(const EnemyBullet& b) {
    return b.yaw - 0.25f;
}

float AimOf(float fromX, float fromY, const PlayerShip& ship) {
    return static_cast<float>(std::atan2(ship.y - fromY, ship.x - fromX) / kTurn);
}

struct EnemyKindsTest : EnemyFixture {
    // Counter value (before the pass) -> the bullets of that pass, for passes that fired.
    template <class E>
    std::map<int, std::vector<EnemyBullet*>> Volleys(E& enemy, int passes) {
        std::map<int, std::vector<EnemyBullet*>> volleys;
        for (int i = 0; i < passes; ++i) {
            int c = enemy.counter;
            auto fired = EnemyPass();
            if (!fired.empty()) volleys[c] = fired;
        }
        return volleys;
    }
    template <class Map>
    static std::vector<int> Keys(const Map& m) {
        std::vector<int> keys;
        for (auto& [k, v] : m)
            keys.push_back(k);
        return keys;
    }
};

}  // namespace

TEST_F(EnemyKindsTest, Obj1DivesAndFiresThreeWaySpreadsTwiceAHundredOnlyWithAShip) {
    auto& e = *world.Spawn<EnemyObj1>(-10.0f);
    EXPECT_EQ(e.model, &world.Model("obj1"));
    EXPECT_EQ(e.y, -54.0f);
    EXPECT_TRUE(Volleys(e, 20).empty());  // no ship: the volleys at 0 and 10 are held

    Ship(30.0f, 45.0f);
    auto volleys = Volleys(e, 230);
    EXPECT_EQ(Keys(volleys), (std::vector<int>{100, 110, 200, 210}));
    for (auto& [c, bullets] : volleys) {
        ASSERT_EQ(bullets.size(), 3u);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(AngleOf(*bullets[k]), 0.21f + 0.04f * k, 1e-6f);
            EXPECT_EQ(bullets[k]->model, world.BulletTable().models[e.variant]);
            EXPECT_EQ(bullets[k]->x, -10.0f);
            EXPECT_NEAR(bullets[k]->y, -54.0f + 0.4f * (c + 1), 1e-3f);
        }
    }
    EXPECT_NEAR(e.y, -54.0f + 0.4f * 250, 1e-3f);
    EXPECT_NEAR(e.yaw, 2.5f, 1e-4f);
}

TEST_F(EnemyKindsTest, Obj2WeavesAndFiresSingleAimedShotsInAWindowThatShifts) {
    auto& e = *world.Spawn<EnemyObj2>(0.0f);
    EXPECT_EQ(e.model, &world.Model("obj5"));
    EXPECT_TRUE(Volleys(e, 20).empty());  // no ship
    float x = 0.0f;
    for (int c = 0; c < 20; ++c)
        x += 0.8f * std::cos(0.05f * static_cast<float>(c));
    EXPECT_EQ(e.x, x);
    EXPECT_NEAR(e.y, -54.0f + 0.3f * 20, 1e-4f);
    EXPECT_EQ(e.yaw, -0.1f * std::cos(0.03f * 19));

    PlayerShip& ship = Ship(20.0f, 45.0f);
    auto volleys = Volleys(e, 210);
    // Multiples of 6 whose remainder by 100 is at most 20: the window drifts.
    EXPECT_EQ(Keys(volleys), (std::vector<int>{102, 108, 114, 120, 204, 210, 216}));
    for (auto& [c, bullets] : volleys) {
        ASSERT_EQ(bullets.size(), 1u);
        EXPECT_NE(dynamic_cast<AimedBullet*>(bullets[0]), nullptr);
        EXPECT_NEAR(bullets[0]->yaw, AimOf(bullets[0]->x, bullets[0]->y, ship), 1e-5f);
    }
}

TEST_F(EnemyKindsTest, Obj3DrawsItsHeadingOnceAndOneChanceToFirePerUpdateShipOrNot) {
    RandomMirror mirror(world);
    auto& e = *world.Spawn<EnemyObj3>(5.0f);
    EXPECT_EQ(e.model, &world.Model("obj2"));
    EXPECT_EQ(e.variant, static_cast<int>(mirror.Next() + 0.5));
    float heading = static_cast<float>(0.25 + 0.1 * mirror.Signed());
    EXPECT_EQ(e.yaw, heading);
    EXPECT_NEAR(std::hypot(e.velocity.x, e.velocity.y), 0.5f, 1e-6f);

    int fired = 0;
    for (int i = 0; i < 200; ++i) {
        float x = e.x + e.velocity.x, y = e.y + e.velocity.y;
        auto bullets = EnemyPass();
        bool fires = mirror.Next() < 0.04;
        ASSERT_EQ(bullets.size(), fires ? 1u : 0u) << "update " << i;
        if (!fires) continue;
        ++fired;
        auto* split = dynamic_cast<SplitBullet*>(bullets[0]);
        ASSERT_NE(split, nullptr);
        EXPECT_EQ(split->splitDirection, heading + 0.5f);  // back up the field
        EXPECT_EQ(split->splitSpeed, 0.4f);
        EXPECT_EQ(split->x, x);
        EXPECT_EQ(split->y, y);
    }
    EXPECT_GT(fired, 2);
    EXPECT_EQ(e.yaw, heading);
    EXPECT_EQ(world.RandomState(), mirror.generator);
}

TEST_F(EnemyKindsTest, Big1AlternatesSeventeenAndSixteenWayFansEveryTwoHundred) {
    auto& e = *world.Spawn<EnemyBig1>(0.0f);
    EXPECT_EQ(e.y, -62.0f);
    EXPECT_EQ(e.hitPoints, 100.0f);
    EXPECT_TRUE(Volleys(e, 20).empty());  // no ship

    Ship(0.0f, 45.0f);
    auto volleys = Volleys(e, 300);
    // The counter is raised before the test: it fires at 100, 110, 200, 210, 300, 310.
    EXPECT_EQ(Keys(volleys), (std::vector<int>{99, 109, 199, 209, 299, 309}));
    for (auto& [c, bullets] : volleys) {
        bool wide = (c + 1) % 200 < 100;
        ASSERT_EQ(bullets.size(), wide ? 17u : 16u) << c;
        float first = wide ? 0.01f : 0.02f;
        for (std::size_t k = 0; k < bullets.size(); ++k)
            EXPECT_NEAR(AngleOf(*bullets[k]), first + 0.03f * k, 1e-5f);
    }
}

TEST_F(EnemyKindsTest, Big2FiresFiveWayAimedBurstsEveryFourthUpdateOfThirtyOne) {
    PlayerShip& ship = Ship(-25.0f, 40.0f);
    auto& e = *world.Spawn<EnemyBig2>(10.0f);
    auto volleys = Volleys(e, 200);
    std::vector<int> expected;
    for (int c = 0; c < 200; ++c) {
        if (c % 4 == 0 && c % 100 <= 30) expected.push_back(c);
    }
    EXPECT_EQ(Keys(volleys), expected);
    for (auto& [c, bullets] : volleys) {
        ASSERT_EQ(bullets.size(), 5u);
        float aim = AimOf(bullets[0]->x, bullets[0]->y, ship);
        for (int k = 0; k < 5; ++k)
            EXPECT_NEAR(bullets[k]->yaw, aim + 0.01f * (k - 2), 1e-5f);
    }
    world.playerPool.Clear();
    EXPECT_TRUE(Volleys(e, 40).empty());
    float x = 10.0f;
    for (int c = 0; c < 240; ++c)
        x += 0.4f * std::sin(0.05f * static_cast<float>(c));
    EXPECT_EQ(e.x, x);
    EXPECT_EQ(e.yaw, -0.1f * std::sin(0.03f * 239));
}

TEST_F(EnemyKindsTest, Big3DropsFiveSplittingBulletsOnOneDrawInTwelveAndAHalf) {
    RandomMirror mirror(world);
    auto& e = *world.Spawn<EnemyBig3>(0.0f);
    mirror.Next();  // the variant
    float heading = static_cast<float>(0.25 + 0.1 * mirror.Signed());
    EXPECT_EQ(e.yaw, heading);
    int volleys = 0;
    for (int i = 0; i < 250; ++i) {
        auto bullets = EnemyPass();
        bool fires = mirror.Next() < 0.08;
        ASSERT_EQ(bullets.size(), fires ? 5u : 0u);
        if (!fires) continue;
        ++volleys;
        for (int k = 0; k < 5; ++k) {
            auto* split = dynamic_cast<SplitBullet*>(bullets[k]);
            ASSERT_NE(split, nullptr);
            EXPECT_EQ(split->splitDirection, heading + 0.5f + 0.1f * (k - 2));
        }
    }
    EXPECT_GT(volleys, 5);
    EXPECT_EQ(world.RandomState(), mirror.generator);
}
