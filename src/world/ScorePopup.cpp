#include "world/ScorePopup.h"

#include <charconv>

#include "graphics/BitmapFont.h"
#include "graphics/Color.h"
#include "world/Field.h"
#include "world/World.h"

ObjectPool& ScorePopup::PoolIn(World& world) {
    return world.popupPool;
}

ScorePopup::ScorePopup(World& world, float x, float y, int value)
    : GameObject(PoolIn(world), x, y, 0.0f) {
    auto [end, error] = std::to_chars(text, text + sizeof text - 1, value);
    *end = '\0';
    length = static_cast<int>(end - text);
}

bool ScorePopup::Update(World&) {
    return --life > 0;
}

void ScorePopup::Draw(const World& world) {
    // Placed by the screen's height on both axes, its width plays no part.
    auto h = static_cast<float>(world.ScreenHeight());
    constexpr float kPerUnit = 1.0f / field::kSize;
    float px = (x + field::kHalf) * kPerUnit * h - kCentring * static_cast<float>(length);
    float py = (y + field::kHalf) * kPerUnit * h - kRise;
    uint32_t color = ToArgb(ColorValue{1.0f, 1.0f, 1.0f, static_cast<float>(life) / 60.0f});
    world.Font().DrawText(text, px, py, color);
}
