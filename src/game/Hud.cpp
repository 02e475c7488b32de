#include "game/Hud.h"

#include "game/TextColors.h"
#include "graphics/BitmapFont.h"
#include "graphics/Quad.h"
#include "graphics/Texture.h"
#include "world/World.h"

namespace {
constexpr uint32_t kGaugeShadow = 0x80404040, kGauge = 0xFFFF0000;
constexpr float kLifeIconsX = 500.0f, kLifeIconStep = 32.0f;
// A practice game says so in the corner below the score.
constexpr float kPracticeX = 0.0f, kPracticeY = 16.0f;
}  // namespace

void DrawHeadUpDisplay(RenderBackend* device, const BitmapFont& font, const Texture& lifeIcon,
                       const World& world, int screenHeight, bool practice) {
    // A full gauge is as long as the screen is high.
    float gauge = static_cast<float>(screenHeight) * world.GetBossGauge();
    FillRect(device, 2.0f, 10.0f, gauge, 4.0f, kGaugeShadow);
    FillRect(device, 0.0f, 8.0f, gauge, 4.0f, kGauge);
    font.DrawTextShadowed("1P", 0.0f, 0.0f, kTextWhite, kTextShadow);
    font.DrawText(world.GetScore().Text(), 50.0f, 0.0f, kTextWhite);
    // The white copy is the shadow at (202, 2); the clear one in front is discarded.
    font.DrawTextShadowed("HIGH SCORE", 200.0f, 0.0f, 0x00000000, kTextWhite);
    font.DrawText(world.GetHighScore().Text(), 328.0f, 0.0f, kTextWhite);
    if (practice)
        font.DrawTextShadowed("PRACTICE", kPracticeX, kPracticeY, kTextWhite, kTextShadow);
    // The ship in play is not counted.
    for (int i = 0; i < world.GetLives() - 1; ++i) {
        lifeIcon.Draw(kLifeIconsX + kLifeIconStep * static_cast<float>(i), 0.0f,
                      static_cast<float>(lifeIcon.ImageWidth()),
                      static_cast<float>(lifeIcon.ImageHeight()), 0, 0, 1, 1, kTextWhite);
    }
}
