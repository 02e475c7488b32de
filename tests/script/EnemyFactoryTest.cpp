// The stage's names for the enemy kinds. How each kind fights and dies is the
// play field's tests' to judge.
#include <gtest/gtest.h>

#include "script/EnemyFactory.h"
#include "support/WorldFixture.h"
#include "world/Boss.h"
#include "world/ChainEnemy.h"
#include "world/EnemyKinds.h"
#include "world/Field.h"
#include "world/SatelliteEnemies.h"

namespace {
template <class T>
bool Is(const Enemy* e) {
    return dynamic_cast<const T*>(e) != nullptr;
}
}  // namespace

TEST_F(WorldFixture, EveryKindIsMadeByItsNameAboveTheFieldAtTheStagesColumn) {
    const std::pair<const char*, bool (*)(const Enemy*)> kinds[] = {
        {"obj1", Is<EnemyObj1>}, {"obj2", Is<EnemyObj2>}, {"obj3", Is<EnemyObj3>},
        {"big1", Is<EnemyBig1>}, {"big2", Is<EnemyBig2>}, {"big3", Is<EnemyBig3>},
        {"big4", Is<EnemyBig4>}, {"big5", Is<EnemyBig5>}, {"big6", Is<EnemyBig6>},
        {"boss", Is<BossIntro>},
    };
    for (const auto& [name, is] : kinds) {
        SCOPED_TRACE(name);
        world.Clear();
        const EnemyKind* kind = FindEnemyKind(name);
        ASSERT_NE(kind, nullptr);
        Enemy* e = kind->create(world, 7.5f);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(is(e));
        EXPECT_EQ(e->x, 7.5f);
        EXPECT_LT(e->y, -field::kHalf);  // out of sight until it flies in
    }
    EXPECT_EQ(FindEnemyKind("obj7"), nullptr);
    EXPECT_EQ(FindEnemyKind("OBJ1"), nullptr);
}
