#include <string>

#include <gtest/gtest.h>

#include "script/EnemyFactory.h"
#include "support/WorldFixture.h"
#include "world/Boss.h"
#include "world/ChainEnemy.h"
#include "world/EnemyKinds.h"
#include "world/SatelliteEnemies.h"

namespace {

template <class T>
bool Is(const Enemy* e) {
    return dynamic_cast<const T*>(e) != nullptr;
}

struct Expected {
    const char* name;
    bool (*is)(const Enemy*);
    float y;
    int objects;  // the enemy and its parts
    int score;    // for destroying it all
};

}  // namespace

TEST_F(WorldFixture, EveryKindIsMadeByItsNameAtItsHeightAndDiesByItsHitPoints) {
    const Expected kinds[] = {
        {"obj1", Is<EnemyObj1>, -54.0f, 1, 100},
        {"obj2", Is<EnemyObj2>, -54.0f, 1, 100},
        {"obj3", Is<EnemyObj3>, -54.0f, 1, 100},
        {"big1", Is<EnemyBig1>, -62.0f, 1, 1000},
        {"big2", Is<EnemyBig2>, -62.0f, 1, 1000},
        {"big3", Is<EnemyBig3>, -62.0f, 1, 1000},
        {"big4", Is<EnemyBig4>, -74.0f, 13, 1000 + 12 * 100},
        {"big5", Is<EnemyBig5>, -74.0f, 13, 1000 + 12 * 100},
        {"big6", Is<EnemyBig6>, -74.0f, 9, 1000 + 8 * 100},
        {"boss", Is<BossIntro>, -80.0f, 1, 0},
    };
    int score = 0;
    for (int i = 0; i < 10; ++i) {
        const Expected& kind = kinds[i];
        SCOPED_TRACE(kind.name);
        ASSERT_STREQ(EnemyKinds()[i].name, kind.name);
        Enemy* e = EnemyKinds()[i].create(world, 7.5f);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(kind.is(e));
        EXPECT_EQ(e->x, 7.5f);
        EXPECT_EQ(e->y, kind.y);
        EXPECT_EQ(world.enemyPool.Count(), kind.objects);
        if (Is<BossIntro>(e)) break;
        e->hitPoints = 0.0f;
        Steps(2);  // a head goes one update after its parts
        EXPECT_EQ(world.enemyPool.Count(), 0);
        score += kind.score;
        EXPECT_EQ(std::stoi(world.GetScore().Text()), score);
    }
    EXPECT_EQ(flow.halts, 1);
}
