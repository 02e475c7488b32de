#pragma once
// The heights the families are drawn at: a model goes to world (x, depth, -y)
// and the camera looks down from +100, so a higher layer covers a lower one.
namespace depth {
inline constexpr float kEnemyBullets = -100.0f;
inline constexpr float kEnemies = -200.0f;
inline constexpr float kItems = -300.0f;
inline constexpr float kPlayer = -400.0f;
inline constexpr float kPlayerShots = -500.0f;
inline constexpr float kEffects = -600.0f;
inline constexpr float kBombs = -700.0f;
inline constexpr float kBackground = -800.0f;
}  // namespace depth
