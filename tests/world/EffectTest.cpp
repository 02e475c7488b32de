#include <gtest/gtest.h>

#include "support/GameFixture.h"
#include "world/Effect.h"
#include "world/Explosion.h"
#include "world/ScorePopup.h"

namespace {

struct EffectFixture : GameFixture {
    // The update in which the pool's only object goes.
    int Lifetime(ObjectPool& pool) {
        for (int update = 1; update <= 200; ++update) {
            pool.UpdateAll();
            if (pool.Count() == 0) return update;
        }
        return -1;
    }
};

}  // namespace

TEST_F(EffectFixture, EffectsEndByAge) {
    Create<VanishEffect>(0.0f, 0.0f, app.models.bullet1.get());
    EXPECT_EQ(Lifetime(*app.effectPool), 11);
    Create<GrazeSpark>(0.0f, 0.0f);
    EXPECT_EQ(Lifetime(*app.effectPool), 21);
    Create<Explosion>(0.0f, 0.0f, 0.2f);
    EXPECT_EQ(Lifetime(*app.effectPool), 26);
    for (int i = 0; i < 3; ++i) {
        Create<HitSpark>(0.0f, 0.0f, i);
        EXPECT_EQ(Lifetime(*app.effectPool), 40 + 5 * i);
    }
    Create<ScorePopup>(0.0f, 0.0f, 10);
    EXPECT_EQ(Lifetime(*app.popupPool), 60);
}

TEST_F(EffectFixture, HitSparksFadeAndShrinkPastZero) {
    HitSpark& late = *Create<HitSpark>(0.0f, 10.0f, 2);
    EXPECT_EQ(late.y, 6.0f);
    for (int i = 0; i < 45; ++i)
        late.Update();
    EXPECT_LT(late.alpha, 0.0f);
    EXPECT_LT(late.scale, 0.0f);
    EXPECT_NEAR(late.alpha, 1.0f - 45 * 0.025f, 1e-5f);
}

TEST_F(EffectFixture, PopupsArePlacedByTheBackBufferHeightOnBothAxesAndFade) {
    ScorePopup& popup = *Create<ScorePopup>(0.0f, 0.0f, 10);
    Step();
    Backend().Forget();
    app.Render();
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
    app.Render();
    EXPECT_EQ(quads[0].x, -16.0f);
    EXPECT_EQ(quads[0].y, 480.0f - 16);
    EXPECT_EQ(quads[0].color, 0x04FFFFFFu);  // 1/60
}

TEST_F(EffectFixture, AnExplosionGrowsAndFades) {
    Explosion& e = *Create<Explosion>(10.0f, -20.0f, 0.2f);
    for (int i = 0; i < 5; ++i)
        e.Update();
    Backend().Forget();
    app.effectPool->DrawAll();
    ASSERT_EQ(Backend().meshDraws.size(), 1u);
    const auto& draw = Backend().meshDraws[0];
    EXPECT_FLOAT_EQ(draw.world[0][0], 5 * 0.2f + 0.2f);  // x scale
    EXPECT_FLOAT_EQ(draw.world[1][1], 1.0f);
    EXPECT_EQ(draw.world[3], glm::vec4(10.0f, -600.0f, 20.0f, 1.0f));
    EXPECT_FLOAT_EQ(draw.alpha, 1.0f - 0.2f);
    EXPECT_EQ(draw.destBlend, kBlendInvSrcAlpha);
}
