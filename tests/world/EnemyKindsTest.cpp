// Every enemy kind as a player meets it: how many bullets a volley holds and
// where they go, whether it needs a ship to fire, and how it leaves the field.
// Exact paths and timings are the replay's to judge.
#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "support/EnemyFixture.h"
#include "support/GameContent.h"
#include "world/ChainEnemy.h"
#include "world/Explosion.h"
#include "world/Field.h"
#include "world/KindEnemy.h"
#include "world/SatelliteEnemies.h"

namespace {

struct Kind {
    const char* name;
    int parts;
    bool blind;  // fires with no ship on the field
    std::set<std::size_t> volleys;
    bool aimed;  // at the ship, each bullet within a fortieth of a turn
};

const Kind kKinds[] = {
    {"obj1", 0, false, {3}, false},  {"obj2", 0, false, {1}, true},
    {"obj3", 0, true, {1}, false},   {"big1", 0, false, {16, 17}, false},
    {"big2", 0, false, {5}, true},   {"big3", 0, true, {5}, false},
    {"big4", 12, false, {12}, true}, {"big5", 12, true, {12}, false},
    {"big6", 8, true, {8}, false},
};

struct EnemyKindsTest : EnemyFixture {
    // Where a bullet flies: one update of it alone, then back where it was.
    glm::vec2 Heading(EnemyBullet& b) {
        const glm::vec2 from{b.x, b.y};
        b.Update(world);
        const glm::vec2 step = glm::vec2(b.x, b.y) - from;
        b.x = from.x;
        b.y = from.y;
        return glm::normalize(step);
    }

    // No two bullets of a volley fly alike: a fan from one point spreads, and
    // parts firing at once each fire their own from where they are.
    void ExpectVolley(const std::vector<EnemyBullet*>& volley, bool aimed, const PlayerShip& ship) {
        std::set<std::array<float, 4>> flights;
        for (EnemyBullet* b : volley) {
            glm::vec2 h = Heading(*b);
            flights.insert({std::round(b->x * 1e3f), std::round(b->y * 1e3f),
                            std::round(h.x * 1e3f), std::round(h.y * 1e3f)});
            if (aimed) {
                EXPECT_GT(glm::dot(h, glm::normalize(glm::vec2(ship.x - b->x, ship.y - b->y))),
                          std::cos(0.157f));
            }
        }
        EXPECT_EQ(flights.size(), volley.size());
    }
};

}  // namespace

TEST_F(EnemyKindsTest, EachKindFiresItsVolleysAtTheShipOrBlindlyAsItsKindDoes) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        world.Clear();
        SpawnKind(world, GameKind(kind.name), 0.0f);
        int blindVolleys = 0;
        for (int i = 0; i < 200; ++i)
            blindVolleys += !EnemyPass().empty();
        EXPECT_EQ(blindVolleys > 0, kind.blind);

        world.Clear();
        const PlayerShip& ship = Ship(20.0f, 45.0f);
        SpawnKind(world, GameKind(kind.name), 0.0f);
        std::set<std::size_t> sizes;
        for (int i = 0; i < 250; ++i) {
            auto volley = EnemyPass();
            if (volley.empty()) continue;
            sizes.insert(volley.size());
            ExpectVolley(volley, kind.aimed, ship);
        }
        EXPECT_EQ(sizes, kind.volleys);
    }
}

TEST_F(EnemyKindsTest, EachKindLeavesBelowTheFieldSilentlyOnceAllOfItIsOutOfSight) {
    for (const Kind& kind : kKinds) {
        SCOPED_TRACE(kind.name);
        world.Clear();
        SpawnKind(world, GameKind(kind.name), 0.0f);
        const int all = world.enemyPool.Count();
        ASSERT_EQ(all, 1 + kind.parts);
        float top = 0.0f;  // of whatever reaches highest, before the update in which they go
        for (int i = 0; i < 3000 && world.enemyPool.Count() == all; ++i) {
            top = 1e9f;
            for (Enemy* e : Each<Enemy>(world.enemyPool))
                top = std::min(top, e->y + e->hitTop);
            Step();
        }
        EXPECT_GE(top, field::kHalf);
        EXPECT_EQ(world.enemyPool.Count(), kind.parts ? 1 : 0);  // a head outlives its parts
        Step();
        EXPECT_EQ(world.enemyPool.Count(), 0);
        EXPECT_EQ(Score(), 0);
        EXPECT_EQ(world.effectPool.Count(), 0);
    }
}

// Parts end in the update in which their head is destroyed, each scoring and
// exploding; the head goes at the next. A head that found the pool too full
// for all its parts goes on with those it has.
TEST_F(EnemyKindsTest, ADestroyedEnemyScoresAndExplodesWithAllItsPartsAlsoInAFullPool) {
    for (int room : {500, 5}) {
        for (const Kind& kind : kKinds) {
            SCOPED_TRACE(std::string(kind.name) + ", room for " + std::to_string(room));
            world.Clear();
            while (world.enemyPool.Count() < 500 - Enemy::kBossSlots - room)
                world.Spawn<TestEnemy>(0.0f, -40.0f, 1e9f);
            const int crowd = world.enemyPool.Count();
            SpawnKind(world, GameKind(kind.name), 0.0f);
            const int parts = world.enemyPool.Count() - crowd - 1;
            EXPECT_EQ(parts, std::min(kind.parts, room - 1));
            Ship(30.0f, 45.0f);
            for (int i = 0; i < 100; ++i)
                EnemyPass();
            int worth = 0;
            for (Enemy* e : Each<Enemy>(world.enemyPool))
                worth += dynamic_cast<TestEnemy*>(e) ? 0 : e->score;
            const int score = Score();
            const int explosions = CountOf<Explosion>(world.effectPool);

            All<Enemy>(world.enemyPool)[static_cast<std::size_t>(crowd)]->hitPoints = 0.0f;
            world.enemyPool.UpdateAll(world);
            EXPECT_EQ(Score() - score, worth);
            EXPECT_EQ(CountOf<Explosion>(world.effectPool) - explosions, 1 + parts);
            EXPECT_EQ(world.enemyPool.Count(), crowd + (kind.parts ? 1 : 0));
            world.enemyPool.UpdateAll(world);
            EXPECT_EQ(world.enemyPool.Count(), crowd);
            EXPECT_EQ(Score() - score, worth);
        }
    }
}
