#pragma once
// The held state of one pad record, read once per update step.
struct PadState {
    bool up = false, down = false, left = false, right = false;
    bool buttons[128] = {};
    bool up2 = false, down2 = false, left2 = false, right2 = false;
    float axisX = 0.0f, axisY = 0.0f;
    float axis2X = 0.0f, axis2Y = 0.0f;
};
