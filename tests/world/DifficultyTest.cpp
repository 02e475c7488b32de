// Every kind and the boss from the lowest difficulty up to twice the hardest
// level's: nothing divides by zero or stops firing, and fire only grows.
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "support/EnemyFixture.h"
#include "support/GameContent.h"
#include "world/Boss.h"
#include "world/KindEnemy.h"

namespace {

struct DifficultyTest : EnemyFixture {
    // The bullets a kind fires at the ship over a while at difficulty d. The
    // boss is helped along: its core runs out of time, so its parts fire too.
    int Fired(const std::string& kind, float d) {
        world.Clear();
        world.SetDifficulty(d);
        Ship(10.0f, 45.0f);
        if (kind == "boss") {
            SpawnBoss(world, GameBoss(kind), 0.0f);
        } else {
            SpawnKind(world, GameKind(kind), 0.0f);
        }
        int fired = 0;
        for (int i = 0; i < 700; ++i) {
            world.bulletPool.UpdateAll(world);
            fired += static_cast<int>(EnemyPass().size());
            if (i == 400) world.BossFightAt(0).timer = 0;
        }
        return fired;
    }
};

}  // namespace

TEST_F(DifficultyTest, EveryKindFiresAtEveryDifficultyAndMoreAsItRises) {
    std::vector<std::string> kinds = GameContent().KindNames();
    kinds.push_back("boss");
    for (const std::string& kind : kinds) {
        SCOPED_TRACE(kind);
        std::map<float, int> fired;
        for (int step = 0; step <= 40; ++step) {
            float d = 0.05f * static_cast<float>(step);
            fired[d] = Fired(kind, d);
            EXPECT_GT(fired[d], 0) << "at d = " << d;
        }
        EXPECT_LT(fired[0.0f], fired[0.5f]);
        EXPECT_LT(fired[0.5f], fired[1.0f]);
        EXPECT_LE(fired[1.0f], fired[2.0f]);
    }
}
