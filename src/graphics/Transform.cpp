#include "graphics/Transform.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

// The axes of each rotation order, first to last.
constexpr char kOrders[16][4] = {
    "", "x", "y", "z", "xy", "xz", "yx", "yz", "zx", "zy", "xyz", "xzy", "yxz", "yzx", "zxy", "zyx",
};

glm::vec3 Axis(char c) {
    if (c == 'x') return {1, 0, 0};
    if (c == 'y') return {0, 1, 0};
    return {0, 0, 1};
}

float Angle(glm::vec3 rotation, char c) {
    if (c == 'x') return rotation.x;
    if (c == 'y') return rotation.y;
    return rotation.z;
}

}  // namespace

glm::mat4 BuildWorld(glm::vec3 position, glm::vec3 scale, glm::vec3 rotation, RotationOrder order) {
    glm::mat4 m = glm::scale(glm::mat4(1.0f), scale);
    auto code = static_cast<int>(order);
    if (code >= 1 && code <= 15) {
        for (const char* axis = kOrders[code]; *axis; ++axis) {
            m = glm::rotate(glm::mat4(1.0f), Angle(rotation, *axis) * kTwoPi, Axis(*axis)) * m;
        }
    }
    return glm::translate(glm::mat4(1.0f), position) * m;
}

glm::mat4 LookAtLH(glm::vec3 eye, glm::vec3 at, glm::vec3 up) {
    return glm::lookAtLH(eye, at, up);
}

glm::mat4 OrthoLH(float width, float height, float zNear, float zFar) {
    return glm::orthoLH_ZO(-width / 2, width / 2, -height / 2, height / 2, zNear, zFar);
}
