#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/Effect.h"
#include "world/Explosion.h"
#include "world/ScorePopup.h"

namespace {

struct EffectFixture : WorldFixture {
    // The update in which the pool's only object goes.
    int Lifetime(ObjectPool& pool) {
        for (int update = 1; update <= 200; ++update) {
            pool.UpdateAll(world);
            if (pool.Count() == 0) return update;
        }
        return -1;
    }
};

}  // namespace

TEST_F(EffectFixture, EffectsEndByAge) {
    world.Spawn<VanishEffect>(0.0f, 0.0f, &world.Model("bullet1"));
    EXPECT_EQ(Lifetime(world.effectPool), 11);
    world.Spawn<GrazeSpark>(0.0f, 0.0f);
    EXPECT_EQ(Lifetime(world.effectPool), 21);
    world.Spawn<Explosion>(0.0f, 0.0f, 0.2f);
    EXPECT_EQ(Lifetime(world.effectPool), 26);
    for (int i = 0; i < 3; ++i) {
        world.Spawn<HitSpark>(0.0f, 0.0f, i);
        EXPECT_EQ(Lifetime(world.effectPool), 40 + 5 * i);
    }
    world.Spawn<ScorePopup>(0.0f, 0.0f, 10);
    EXPECT_EQ(Lifetime(world.popupPool), 60);
}

TEST_F(EffectFixture, PopupsArePlacedByTheBackBufferHeightOnBothAxesAndFade) {
    ScorePopup& popup = *world.Spawn<ScorePopup>(0.0f, 0.0f, 10);
    Step();
    Backend().Forget();
    world.Draw();
    const auto& quads = Backend().quadDraws;
    ASSERT_EQ(quads.size(), 2u);             // "1" and "0"
    EXPECT_EQ(quads[0].x, 0.5f * 480 - 16);  // not half the width
    EXPECT_EQ(quads[0].y, 0.5f * 480 - 16);
    EXPECT_EQ(quads[1].x, 0.5f * 480 - 8);
    EXPECT_EQ(quads[0].color, 0xFBFFFFFFu);  // 59/60 of full alpha
    EXPECT_EQ(popup.life, 59);

    popup.x = -50.0f;
    popup.y = 50.0f;
    popup.life = 1;
    Backend().Forget();
    world.Draw();
    EXPECT_EQ(quads[0].x, -16.0f);
    EXPECT_EQ(quads[0].y, 480.0f - 16);
    EXPECT_EQ(quads[0].color, 0x04FFFFFFu);  // 1/60
}
