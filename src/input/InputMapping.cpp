#include "input/InputMapping.h"

namespace {

float AxisFrom(bool negative, bool positive) {
    if (negative) return -1.0f;
    if (positive) return 1.0f;
    return 0.0f;
}

}  // namespace

float StickCurve(int v) {
    if (v <= -800) return -1.0f;
    if (v < -200) return static_cast<float>(v + 200) / 600.0f;
    if (v <= 200) return 0.0f;
    if (v < 800) return static_cast<float>(v - 200) / 600.0f;
    return 1.0f;
}

void ApplyKeyboard(const KeyboardReading& keys, PadState& pad) {
    pad.up |= keys[Key::Up];
    pad.down |= keys[Key::Down];
    pad.left |= keys[Key::Left];
    pad.right |= keys[Key::Right];
    pad.buttons[kButtonFire] |= keys[Key::Z] || keys[Key::Space] || keys[Key::Return];
    pad.buttons[kButtonHover] |= keys[Key::X];
    pad.buttons[kButtonPause] |= keys[Key::C];
    pad.buttons[kButtonFreeze] |= keys[Key::V];
    pad.buttons[kButtonCatchUp] |= keys[Key::B];
    pad.up2 |= keys[Key::E];
    pad.down2 |= keys[Key::D];
    pad.left2 |= keys[Key::S];
    pad.right2 |= keys[Key::F];
    pad.axisY += AxisFrom(pad.up, pad.down);
    pad.axisX += AxisFrom(pad.left, pad.right);
    pad.axis2Y += AxisFrom(pad.up2, pad.down2);
    pad.axis2X += AxisFrom(pad.left2, pad.right2);
}

void ApplyPad(const PadReading& reading, PadState& pad) {
    pad.up |= reading.y < -200;
    pad.down |= reading.y > 200;
    pad.left |= reading.x < -200;
    pad.right |= reading.x > 200;
    for (int i = 0; i < 4; ++i)
        pad.buttons[i] |= reading.buttons[i];
    pad.axisY += StickCurve(reading.y);
    pad.axisX += StickCurve(reading.x);
}
