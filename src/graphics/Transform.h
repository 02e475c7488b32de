#pragma once
// Model transforms, camera and projection. Matrices use glm's column-vector
// convention; a world matrix scales first, then rotates, then moves.
#include <glm/glm.hpp>

// Angles are in turns (1.0 = a full turn).
constexpr float kTwoPi = 6.2831855f;

// The world matrix: scale, the rotations of the order code (1..15; anything else
// rotates nothing), then the translation.
glm::mat4 BuildWorld(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation, int order);

// A left-handed look-at view.
glm::mat4 LookAtLH(glm::vec3 eye, glm::vec3 at, glm::vec3 up);
// A left-handed orthographic projection with depth 0 at near and 1 at far.
glm::mat4 OrthoLH(float width, float height, float zNear, float zFar);
