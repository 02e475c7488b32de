#include "game/Hud.h"

#include "game/MenuLayout.h"
#include "game/TextColors.h"
#include "graphics/BitmapFont.h"
#include "graphics/Quad.h"
#include "graphics/Texture.h"
#include "world/World.h"

namespace {
constexpr uint32_t kGaugeShadow = 0x80404040, kGauge = 0xFFFF0000;
}  // namespace

void DrawHeadUpDisplay(RenderBackend* device, const BitmapFont& font, const Texture& lifeIcon,
                       const World& world, int screenHeight, HudWords words) {
    // A full gauge is as long as the screen is high.
    float gauge = static_cast<float>(screenHeight) * world.ShownBossGauge();
    const HudLayout& at = kHud;
    FillRect(device, at.gaugeShadow.x, at.gaugeShadow.y, gauge, at.gaugeHeight, kGaugeShadow);
    FillRect(device, at.gauge.x, at.gauge.y, gauge, at.gaugeHeight, kGauge);
    if (gauge > 0)
        font.DrawTextShadowed("BOSS", at.bossLabel.x, at.bossLabel.y, kGauge, kTextShadow);
    font.DrawTextShadowed("1P", at.player.x, at.player.y, kTextWhite, kTextShadow);
    font.DrawText(world.GetScore().Text(), at.score.x, at.score.y, kTextWhite);
    // The white copy is the shadow, two pixels down and right; the clear one in
    // front is discarded.
    font.DrawTextShadowed("HIGH SCORE", at.highScore.x, at.highScore.y, 0x00000000, kTextWhite);
    font.DrawText(world.GetHighScore().Text(), at.highScoreValue.x, at.highScoreValue.y,
                  kTextWhite);
    if (words.practice)
        font.DrawTextShadowed("PRACTICE", at.practice.x, at.practice.y, kTextWhite, kTextShadow);
    if (words.catchUp)
        font.DrawTextShadowed("CATCH UP", at.catchUp.x, at.catchUp.y, kTextWhite, kTextShadow);
    for (std::size_t i = 0; i < words.notice.size(); ++i) {
        font.DrawTextShadowed(words.notice[i], at.notice.x,
                              at.notice.y + at.noticeStep * static_cast<float>(i), kTextWhite,
                              kTextShadow);
    }
    if (world.IsHalted())
        font.DrawTextShadowed("FREEZE", at.freeze.x, at.freeze.y, kTextWhite, kTextShadow);
    // The ship in play is not counted.
    for (int i = 0; i < world.GetLives() - 1; ++i) {
        lifeIcon.Draw(at.lives.x + at.lifeStep * static_cast<float>(i), at.lives.y,
                      static_cast<float>(lifeIcon.ImageWidth()),
                      static_cast<float>(lifeIcon.ImageHeight()), 0, 0, 1, 1, kTextWhite);
    }
}
