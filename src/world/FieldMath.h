#pragma once
// Directions on the play field. Angles are in turns: 0.25 points down the
// field (toward the player's side), 0.75 up.
#include <cmath>

#include <glm/glm.hpp>

constexpr double kPi = 3.14159265358979323846;

// The unit vector of a direction in turns.
inline glm::vec2 Direction(float turns) {
    double radians = turns * 2.0 * kPi;
    return {static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(radians))};
}

// The unit vector of an angle in radians.
inline glm::vec2 RadianDirection(double radians) {
    return {static_cast<float>(std::cos(radians)), static_cast<float>(std::sin(radians))};
}
