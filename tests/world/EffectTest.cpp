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
    // The middle of the field, on a screen as high as the world's.
    const float middle = 0.5f * static_cast<float>(world.ScreenHeight());
    EXPECT_EQ(fresh.x, middle - 2 * ScorePopup::kCentring);
    EXPECT_EQ(fresh.y, middle - ScorePopup::kRise);
    popup.life = 2;
    auto fading = drawn();
    EXPECT_LT(fading.color >> 24, fresh.color >> 24);
    EXPECT_GT(fading.color >> 24, 0u);
}
