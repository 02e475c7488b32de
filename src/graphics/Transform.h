#pragma once
// Model transforms, camera and projection. Matrices use glm's column-vector
// convention; a world matrix scales first, then rotates, then moves.
#include <glm/glm.hpp>

// Angles are in turns (1.0 = a full turn).
constexpr float kTwoPi = 6.2831855f;

// The axes a model is turned about, first to last: ZYX turns about z, then y, then x.
enum class RotationOrder : int {
    None,
    X,
    Y,
    Z,
    XY,
    XZ,
    YX,
    YZ,
    ZX,
    ZY,
    XYZ,
    XZY,
    YXZ,
    YZX,
    ZXY,
    ZYX
};

// The world matrix: scale, the rotations in their order, then the translation.
glm::mat4 BuildWorld(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation, RotationOrder order);

// A left-handed look-at view.
glm::mat4 LookAtLH(glm::vec3 eye, glm::vec3 at, glm::vec3 up);
// A left-handed orthographic projection with depth 0 at near and 1 at far.
glm::mat4 OrthoLH(float width, float height, float zNear, float zFar);
