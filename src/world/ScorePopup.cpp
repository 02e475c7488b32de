#include "world/ScorePopup.h"

#include "game/GameApp.h"
#include "graphics/Color.h"

ObjectPool& ScorePopup::Pool() {
    return *App().popupPool;
}

ScorePopup::ScorePopup(float x, float y, int value)
    : GameObject(Pool(), x, y, 0.0f),
      text(std::to_string(value)),
      length(static_cast<int>(text.size())) {}

bool ScorePopup::Update() {
    return --life > 0;
}

void ScorePopup::Draw() {
    // The field's square spans the back buffer's height on both axes here, as the
    // game has always placed its pop-ups.
    auto h = static_cast<float>(App().GetGraphicsDevice().GetHeight());
    float px = (x + 50.0f) * 0.01f * h - 8.0f * static_cast<float>(length);
    float py = (y + 50.0f) * 0.01f * h - 16.0f;
    uint32_t color = ToArgb(ColorValue{1.0f, 1.0f, 1.0f, static_cast<float>(life) / 60.0f});
    App().font->DrawText(text, px, py, color);
}
