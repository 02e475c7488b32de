#include <gtest/gtest.h>

#include <vector>

#include "input/InputMapping.h"
#include "input/InputSystem.h"
#include "input/ScriptedInput.h"

TEST(StickCurve, HasADeadZoneAndSaturates) {
    EXPECT_FLOAT_EQ(StickCurve(-1000), -1.0f);
    EXPECT_FLOAT_EQ(StickCurve(-800), -1.0f);
    EXPECT_FLOAT_EQ(StickCurve(-500), -0.5f);
    EXPECT_FLOAT_EQ(StickCurve(-200), 0.0f);
    EXPECT_FLOAT_EQ(StickCurve(150), 0.0f);
    EXPECT_FLOAT_EQ(StickCurve(200), 0.0f);
    EXPECT_FLOAT_EQ(StickCurve(500), 0.5f);
    EXPECT_FLOAT_EQ(StickCurve(799), 599.0f / 600.0f);
    EXPECT_FLOAT_EQ(StickCurve(800), 1.0f);
}

namespace {
// The keyboard's state with the given scancodes held.
std::vector<uint8_t> Held(std::initializer_list<int> codes) {
    std::vector<uint8_t> held(512);
    for (int c : codes)
        held[c] = 1;
    return held;
}
}  // namespace

TEST(KeyboardMapping, TheDefaultTableFoldsKeysIntoButtonsAndAxes) {
    using namespace scancode;
    for (int fire : {kZ, kSpace, kReturn}) {
        PadState pad;
        ApplyKeyboard(DefaultKeys(), Held({fire}), pad);
        EXPECT_TRUE(pad.buttons[kButtonFire]);
        EXPECT_FALSE(pad.buttons[kButtonHover]);
    }
    PadState pad;
    ApplyKeyboard(DefaultKeys(), Held({kX, kC, kV, kB, kUp, kDown, kLeft, kRight}), pad);
    EXPECT_TRUE(pad.buttons[1] && pad.buttons[2] && pad.buttons[3] && pad.buttons[4]);
    EXPECT_FALSE(pad.buttons[kButtonFire]);
    EXPECT_TRUE(pad.up && pad.down && pad.left && pad.right);
    EXPECT_FLOAT_EQ(pad.axisY, -1.0f);  // up wins over down, left over right
    EXPECT_FLOAT_EQ(pad.axisX, -1.0f);
}

TEST(KeyboardMapping, ARebindReplacesOnlyThatActionsKeys) {
    const int wasd[] = {26};  // W
    KeyTable keys = Rebind(DefaultKeys(), KeyAction::Up, wasd);
    PadState arrow, w, fire;
    ApplyKeyboard(keys, Held({scancode::kUp}), arrow);
    ApplyKeyboard(keys, Held({26}), w);
    ApplyKeyboard(keys, Held({scancode::kZ}), fire);
    EXPECT_FALSE(arrow.up);
    EXPECT_TRUE(w.up);
    EXPECT_TRUE(fire.buttons[kButtonFire]);
    // A scancode past what the keyboard reports is never held.
    PadState none;
    ApplyKeyboard({{600, KeyAction::Fire}}, Held({}), none);
    EXPECT_FALSE(none.buttons[kButtonFire]);
}

TEST(PadMapping, DirectionsPastTwoHundredAndTheCurveOnTheAxes) {
    PadReading r;
    r.x = 500;
    r.y = -150;
    r.buttons[2] = true;
    PadState pad;
    ApplyPad(r, pad);
    EXPECT_TRUE(pad.right);
    EXPECT_FALSE(pad.left || pad.up || pad.down);
    EXPECT_FLOAT_EQ(pad.axisX, 0.5f);
    EXPECT_FLOAT_EQ(pad.axisY, 0.0f);
    EXPECT_TRUE(pad.buttons[2]);
}

TEST(PadMapping, TheDPadMovesAtFullDeflection) {
    PadReading r;
    r.down = r.left = true;
    PadState pad;
    ApplyPad(r, pad);
    EXPECT_TRUE(pad.down && pad.left);
    EXPECT_FLOAT_EQ(pad.axisY, 1.0f);
    EXPECT_FLOAT_EQ(pad.axisX, -1.0f);
}

TEST(PadMapping, KeyboardAndPadAddUp) {
    PadReading r;
    r.x = 1000;
    PadState pad;
    ApplyKeyboard(DefaultKeys(), Held({scancode::kRight}), pad);
    ApplyPad(r, pad);
    EXPECT_FLOAT_EQ(pad.axisX, 2.0f);
}

TEST(InputSystem, ClearsTheStateEachStep) {
    auto script = std::make_unique<ScriptedInput>();
    PadState fire;
    fire.buttons[0] = true;
    script->Append(fire);
    InputSystem input(std::move(script));
    input.Update();
    EXPECT_TRUE(input.GetState().buttons[0]);
    input.Update();  // the script has run out
    EXPECT_FALSE(input.GetState().buttons[0]);
}
