#include <cmath>
#include <numbers>

#include <gtest/gtest.h>

#include "support/EnemyFixture.h"
#include "world/BulletKinds.h"
#include "world/ChainEnemy.h"
#include "world/Explosion.h"
#include "world/SatelliteEnemies.h"

namespace {

constexpr float kRadiansPerTurn = static_cast<float>(2 * std::numbers::pi);

float AngleOf(const EnemyBullet& b) {
    return b.yaw - 0.25f;
}

struct CompositeTest : EnemyFixture {
    glm::vec2 At(const GameObject& o) { return {o.x, o.y}; }
    float Distance(const GameObject& a, const GameObject& b) { return glm::length(At(a) - At(b)); }
};

}  // namespace

TEST_F(CompositeTest, AChainHangsFromItsHeadAndItsTipChasesTheShipOnALeashOf72) {
    auto& head = *world.Spawn<EnemyBig4>(0.0f);
    auto segments = All<ChainSegment>(world.enemyPool);
    ASSERT_EQ(segments.size(), 12u);
    EXPECT_EQ(head.y, -74.0f);
    EXPECT_EQ(head.hitPoints, 30.0f);
    for (ChainSegment* s : segments) {
        EXPECT_EQ(s->variant, head.variant);
        EXPECT_EQ(s->hitRight, 1.5f);
    }
    PlayerShip& ship = Ship(0.0f, 40.0f);
    for (int i = 0; i < 700; ++i) {
        // The ship jumps about, far and near.
        if (i % 50 == 0) {
            ship.x = 45.0f * std::sin(1.7f * static_cast<float>(i));
            ship.y = i % 100 ? 45.0f : -45.0f;
        }
        glm::vec2 tip = At(*segments[0]);
        glm::vec2 headBefore = At(head);
        EnemyPass();
        ASSERT_EQ(At(*segments[11]), headBefore) << i;  // where the head was
        EXPECT_LE(Distance(*segments[0], *segments[11]), 72.0f + 1e-3f) << i;
        // The tip chases at 0.6 (and stays when closer), unless the leash holds it back.
        float moved = glm::length(At(*segments[0]) - tip);
        if (Distance(*segments[0], *segments[11]) < 71.9f) {
            bool far = glm::length(glm::vec2(ship.x, ship.y) - tip) >= 0.6f;
            EXPECT_NEAR(moved, far ? 0.6f : 0.0f, 1e-4f) << i;
        }
    }

    // Without a ship the tip keeps its place but for the leash.
    world.playerPool.Clear();
    world.SetPlayer(nullptr);
    glm::vec2 tip = At(*segments[0]);
    EnemyPass();
    EXPECT_EQ(At(*segments[0]), tip);
}

TEST_F(CompositeTest, EachPassSetsTheInnerSegmentsToTheMidpointsOfTheirNeighbours) {
    auto& head = *world.Spawn<EnemyBig4>(10.0f);
    auto segments = All<ChainSegment>(world.enemyPool);
    head.joints[0] = {-30.0f, 0.0f};  // far from the head: the leash pulls it in
    for (int k = 1; k < 11; ++k)
        head.joints[k] = {static_cast<float>(k * k), static_cast<float>(3 * k)};
    std::vector<glm::vec2> expected(std::begin(head.joints), std::end(head.joints));
    expected[11] = {head.x, head.y};
    glm::vec2 fromRoot = expected[0] - expected[11];
    expected[0] = expected[11] + fromRoot * (72.0f / glm::length(fromRoot));
    for (int pass = 0; pass < 2; ++pass) {
        for (int k = 1; k < 11; ++k)
            expected[k] = 0.5f * (expected[k - 1] + expected[k + 1]);
    }
    EnemyPass();
    for (int k = 0; k < 12; ++k) {
        EXPECT_EQ(At(*segments[k]), expected[k]) << k;
    }
    EXPECT_FLOAT_EQ(head.y, -74.0f + 0.2f);
}

TEST_F(CompositeTest, ChainSegmentsFireAtTheShipEveryFortyUpdatesAndTakeTurnsInColour) {
    auto& head = *world.Spawn<EnemyBig4>(0.0f);
    head.hitPoints = 1e9f;
    for (int i = 0; i < 39; ++i)
        EXPECT_TRUE(EnemyPass().empty());  // no ship at the 40th either
    EXPECT_TRUE(EnemyPass().empty());
    PlayerShip& ship = Ship(0.0f, 40.0f);
    for (int i = 0; i < 39; ++i)
        EXPECT_TRUE(EnemyPass().empty());
    auto volley = EnemyPass();
    ASSERT_EQ(volley.size(), 12u);
    auto segments = All<ChainSegment>(world.enemyPool);
    for (int k = 0; k < 12; ++k) {
        EXPECT_NE(dynamic_cast<AimedBullet*>(volley[k]), nullptr);
        EXPECT_EQ(volley[k]->x, segments[k]->x);
        EXPECT_EQ(volley[k]->model, world.BulletTable().models[head.variant]);
        EXPECT_NEAR(volley[k]->yaw,
                    std::atan2(ship.y - volley[k]->y, ship.x - volley[k]->x) / kRadiansPerTurn,
                    1e-5f);
        EXPECT_EQ(segments[k]->variant, 1 - head.variant);
    }
}

TEST_F(CompositeTest, ADestroyedHeadTakesItsPartsAlongInTheSameUpdateAndGoesInTheNext) {
    auto& chain = *world.Spawn<EnemyBig4>(-20.0f);
    auto& orbit = *world.Spawn<EnemyBig5>(0.0f);
    auto& pulse = *world.Spawn<EnemyBig6>(20.0f);
    ASSERT_EQ(world.enemyPool.Count(), 3 + 12 + 12 + 8);
    Steps(5);
    for (CompositeHead* head :
         {static_cast<CompositeHead*>(&chain), static_cast<CompositeHead*>(&orbit),
          static_cast<CompositeHead*>(&pulse)}) {
        int score = Score();
        int explosions = CountOf<Explosion>(world.effectPool);
        int before = world.enemyPool.Count();
        head->hitPoints = 0.0f;
        Step();
        int parts = head == &chain || head == &orbit ? 12 : 8;
        EXPECT_EQ(Score() - score, 1000 + parts * 100);
        EXPECT_EQ(world.enemyPool.Count(), before - parts);  // the head stays one more update
        EXPECT_EQ(head->state, CompositeHead::State::Destroyed);
        EXPECT_EQ(CountOf<Explosion>(world.effectPool) - explosions, 1 + parts);
        Step();
        EXPECT_EQ(world.enemyPool.Count(), before - parts - 1);
        EXPECT_EQ(Score() - score, 1000 + parts * 100);  // no second explosion
        EXPECT_EQ(CountOf<Explosion>(world.effectPool) - explosions, 1 + parts);
    }
    EXPECT_EQ(world.enemyPool.Count(), 0);
}

TEST_F(CompositeTest, AHeadThatLeavesTakesItsPartsWithoutScore) {
    for (int kind = 0; kind < 3; ++kind) {
        CompositeHead* head = kind == 0 ? static_cast<CompositeHead*>(world.Spawn<EnemyBig4>(0.0f))
                              : kind == 1
                                  ? static_cast<CompositeHead*>(world.Spawn<EnemyBig5>(0.0f))
                                  : world.Spawn<EnemyBig6>(0.0f);
        float bottom = kind == 0 ? 146.0f : kind == 1 ? 120.0f : 108.0f;
        int all = world.enemyPool.Count();
        head->y = bottom - 0.3f;
        EnemyPass();
        EXPECT_EQ(world.enemyPool.Count(), all);
        EnemyPass();  // past the line
        EXPECT_EQ(head->state, CompositeHead::State::Left);
        EXPECT_EQ(world.enemyPool.Count(), 1);
        EnemyPass();
        EXPECT_EQ(world.enemyPool.Count(), 0);
    }
    EXPECT_EQ(Score(), 0);
    EXPECT_EQ(world.effectPool.Count(), 0);
}

TEST_F(CompositeTest, SatellitesCircleTheirHubAndFireEveryTenthUpdateShipOrNot) {
    auto& orbit = *world.Spawn<EnemyBig5>(-20.0f);
    auto& pulse = *world.Spawn<EnemyBig6>(20.0f);
    EXPECT_EQ(orbit.y, -74.0f);
    auto orbiters = All<OrbitSatellite>(world.enemyPool);
    auto pulsers = All<PulseSatellite>(world.enemyPool);
    ASSERT_EQ(orbiters.size(), 12u);
    ASSERT_EQ(pulsers.size(), 8u);
    for (int i = 0; i < 12; ++i) {
        EXPECT_FLOAT_EQ(orbiters[i]->angle, kRadiansPerTurn * (i / 4) / 3);
        EXPECT_EQ(orbiters[i]->radius, 8.0f * (i % 4) + 14.0f);
        EXPECT_EQ(orbiters[i]->variant, orbit.variant ^ (i & 1));
        EXPECT_EQ(orbiters[i]->model, &world.Model("obj4"));
    }
    for (int i = 0; i < 8; ++i) {
        EXPECT_FLOAT_EQ(pulsers[i]->angle, kRadiansPerTurn * i / 8);
        EXPECT_EQ(pulsers[i]->variant, pulse.variant ^ (i & 1));
    }

    EnemyPass();
    for (int i = 0; i < 12; ++i) {
        float a = kRadiansPerTurn * (i / 4) / 3;
        float r = 8.0f * (i % 4) + 14.0f;
        EXPECT_NEAR(orbiters[i]->x, -20.0f + r * std::cos(a), 1e-4f);
        EXPECT_NEAR(orbiters[i]->y, orbit.y + r * std::sin(a), 1e-4f);
    }
    for (int i = 0; i < 8; ++i) {  // the ring starts at 24 and breathes out first
        EXPECT_NEAR(Distance(*pulsers[i], pulse), 24.0f, 1e-4f);
    }
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(EnemyPass().empty());

    auto volley = EnemyPass();  // the tenth update, with no ship
    ASSERT_EQ(volley.size(), 20u);
    for (int i = 0; i < 12; ++i) {
        EnemyBullet& needle = *volley[i];
        EXPECT_EQ(needle.model, world.NeedleTable().models[orbiters[i]->variant]);
        EXPECT_EQ(needle.x, orbiters[i]->x);
        // A quarter turn behind the outward radius.
        EXPECT_NEAR(AngleOf(needle), orbiters[i]->angle / kRadiansPerTurn - 0.25f, 1e-6f);
        EXPECT_NEAR(orbiters[i]->angle, kRadiansPerTurn * (i / 4) / 3 + 0.4f, 1e-5f);
    }
    for (int i = 0; i < 8; ++i) {
        EnemyBullet& bullet = *volley[12 + i];
        EXPECT_EQ(bullet.model, world.BulletTable().models[pulsers[i]->variant]);
        EXPECT_NEAR(AngleOf(bullet), pulsers[i]->angle / kRadiansPerTurn, 1e-6f);  // outward
        float r = 10.0f * std::sin(0.02f * 9) + 24.0f;
        EXPECT_NEAR(Distance(*pulsers[i], pulse), r, 1e-3f);
    }
    EXPECT_NEAR(pulse.yaw, 0.02f, 1e-6f);
}

TEST_F(CompositeTest, HeadsWorkWithTheChildrenAFullPoolLeftThemAndLoseOnlyThose) {
    while (world.Spawn<TestEnemy>(0.0f, -40.0f, 1e9f)) {
    }
    ASSERT_EQ(world.enemyPool.Count(), 500 - Enemy::kBossSlots);
    // Room for a head and four parts.
    for (int i = 0; i < 5; ++i)
        DestroyObject(world.enemyPool.Sentinel()->next);
    auto& chain = *world.Spawn<EnemyBig4>(0.0f);
    ASSERT_EQ(CountOf<ChainSegment>(world.enemyPool), 4);
    Ship(10.0f, 40.0f);
    for (int i = 0; i < 100; ++i)
        EnemyPass();
    auto segments = All<ChainSegment>(world.enemyPool);
    for (int k = 0; k < 4; ++k)
        EXPECT_EQ(At(*segments[k]), chain.joints[k]);
    EXPECT_LE(glm::length(chain.joints[0] - chain.joints[11]), 72.0f + 1e-3f);
    chain.hitPoints = 0.0f;
    world.enemyPool.UpdateAll(world);
    EXPECT_EQ(Score(), 1000 + 4 * 100);
    world.enemyPool.UpdateAll(world);
    EXPECT_EQ(world.enemyPool.Count(), 500 - Enemy::kBossSlots - 5);

    for (int i = 0; i < 3; ++i)
        DestroyObject(world.enemyPool.Sentinel()->next);
    auto& orbit = *world.Spawn<EnemyBig5>(0.0f);
    ASSERT_EQ(CountOf<OrbitSatellite>(world.enemyPool), 7);
    for (int i = 0; i < 20; ++i)
        EnemyPass();
    orbit.hitPoints = -1.0f;
    world.enemyPool.UpdateAll(world);
    EXPECT_EQ(Score(), 1400 + 1000 + 7 * 100);
}
