#pragma once
// The play field's geometry, in field units: x to the right, y down the
// screen, the visible square centred on the origin; and how the ship moves in it.
namespace field {

// The visible field is -kHalf..kHalf on both axes.
inline constexpr float kHalf = 50.0f;
inline constexpr float kSize = 2.0f * kHalf;

// The ship's speed per step on one axis, and on each axis when moving diagonally.
inline constexpr float kShipSpeed = 0.8f;
inline constexpr float kDiagonal = 0.70710677f;  // 1 / sqrt(2)
// How far the ship may go from the centre on either axis.
inline constexpr float kShipBound = 46.0f;

}  // namespace field
