#include <gtest/gtest.h>

#include "support/WorldFixture.h"
#include "world/ScorePopup.h"

using EffectTest = WorldFixture;

// Pop-ups are placed by the back buffer's height on both axes, its width plays no part.
TEST_F(EffectTest, PopUpsArePlacedByTheScreensHeightAndFade) {
    ScorePopup& popup = *world.Spawn<ScorePopup>(0.0f, 0.0f, 10);
    auto drawn = [&] {
        Step();
        Backend().Forget();
        world.Draw();
        EXPECT_EQ(Backend().quadDraws.size(), 2u);  // "1" and "0"
        return Backend().quadDraws.at(0);
    };
    auto fresh = drawn();
    EXPECT_EQ(fresh.x, 0.5f * 480 - 16);
    EXPECT_EQ(fresh.y, 0.5f * 480 - 16);
    popup.life = 2;
    auto fading = drawn();
    EXPECT_LT(fading.color >> 24, fresh.color >> 24);
    EXPECT_GT(fading.color >> 24, 0u);
}
