#pragma once
// How the format's directions and speeds become motion on the field: direction
// 0 is up the screen and grows clockwise; one unit of speed is
// kPatternSpeedUnit field units per step.
#include <cmath>

#include "pattern/PatternRunner.h"

// The field is 100 units high; the format's files are written for screens of
// about 400 pixels, where speed 1 is a pixel per step.
inline constexpr double kPatternSpeedUnit = 0.25;

struct FieldVelocity {
    double x, y;
};

inline FieldVelocity PatternVelocity(const PatternBody& b) {
    const double radians = b.direction * (3.14159265358979323846 / 180.0);
    return {(std::sin(radians) * b.speed + b.accelX) * kPatternSpeedUnit,
            (-std::cos(radians) * b.speed + b.accelY) * kPatternSpeedUnit};
}

// The format's direction from one point of the field to another.
inline double PatternAim(double fromX, double fromY, double toX, double toY) {
    return std::atan2(toX - fromX, fromY - toY) * (180.0 / 3.14159265358979323846);
}
