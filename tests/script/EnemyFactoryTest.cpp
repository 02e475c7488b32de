// The stage's names for the enemy kinds: each name makes its own kind, above
// the field at the stage's column; the delivered stage names only kinds there
// are. How each kind fights and dies is the play field's tests' to judge.
#include <set>
#include <string>
#include <typeindex>

#include <gtest/gtest.h>

#include "media/MediaFiles.h"
#include "script/EnemyFactory.h"
#include "script/StageCheck.h"
#include "support/WorldFixture.h"
#include "world/Field.h"

TEST_F(WorldFixture, EveryKindIsMadeByItsNameAboveTheFieldAtTheStagesColumn) {
    std::set<std::string> names;
    std::set<std::type_index> made;
    for (const EnemyKind& kind : EnemyKinds()) {
        SCOPED_TRACE(kind.name);
        EXPECT_TRUE(names.insert(std::string(kind.name)).second) << "a name given twice";
        EXPECT_EQ(FindEnemyKind(kind.name), &kind);
        world.Clear();
        Enemy* e = kind.create(world, 7.5f);
        ASSERT_NE(e, nullptr);
        EXPECT_TRUE(made.insert(typeid(*e)).second) << "two names make the same kind";
        EXPECT_EQ(e->x, 7.5f);
        EXPECT_LT(e->y, -field::kHalf);  // out of sight until it flies in
    }
    EXPECT_EQ(FindEnemyKind("obj7"), nullptr);
    EXPECT_EQ(FindEnemyKind("OBJ1"), nullptr);  // names are the stage's, letter for letter
}

// Every kind the delivered stage sends in is one there is, and each one there
// is comes in somewhere in it.
TEST(EnemyFactory, TheDeliveredStageNamesEveryKindAndNoOther) {
    StageCheck check = CheckStage((media_files::Dir() / "script_easy.txt").string());
    EXPECT_TRUE(check.findings.empty()) << check.findings.front();
    ASSERT_EQ(check.kinds.size(), EnemyKinds().size());
    for (const auto& [name, count] : check.kinds)
        EXPECT_GT(count, 0) << name;
}
