#include <gtest/gtest.h>

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

TEST(KeyboardMapping, FireKeysShareButtonZero) {
    for (Key k : {Key::Z, Key::Space, Key::Return}) {
        KeyboardReading keys;
        keys[k] = true;
        PadState pad;
        ApplyKeyboard(keys, pad);
        EXPECT_TRUE(pad.buttons[0]);
        EXPECT_FALSE(pad.buttons[1]);
    }
    KeyboardReading keys;
    keys[Key::X] = keys[Key::C] = keys[Key::V] = keys[Key::B] = true;
    keys[Key::E] = keys[Key::S] = true;
    PadState pad;
    ApplyKeyboard(keys, pad);
    EXPECT_TRUE(pad.buttons[1] && pad.buttons[2] && pad.buttons[3] && pad.buttons[4]);
    EXPECT_FALSE(pad.buttons[0]);
    EXPECT_TRUE(pad.up2 && pad.left2);
    EXPECT_FLOAT_EQ(pad.axis2Y, -1.0f);
    EXPECT_FLOAT_EQ(pad.axis2X, -1.0f);
}

TEST(KeyboardMapping, UpAndLeftWinInTheAxes) {
    KeyboardReading keys;
    keys[Key::Up] = keys[Key::Down] = keys[Key::Left] = keys[Key::Right] = true;
    PadState pad;
    ApplyKeyboard(keys, pad);
    EXPECT_TRUE(pad.up && pad.down && pad.left && pad.right);
    EXPECT_FLOAT_EQ(pad.axisY, -1.0f);
    EXPECT_FLOAT_EQ(pad.axisX, -1.0f);
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
    EXPECT_FALSE(pad.up2 || pad.buttons[4]);  // pads feed neither second set nor buttons past 3
}

TEST(PadMapping, KeyboardAndFirstPadAddUp) {
    KeyboardReading keys;
    keys[Key::Right] = true;
    PadReading r;
    r.x = 1000;
    PadState pad;
    ApplyKeyboard(keys, pad);
    ApplyPad(r, pad);
    EXPECT_FLOAT_EQ(pad.axisX, 2.0f);
}

TEST(InputSystem, ClearsEveryRecordEachStep) {
    auto script = std::make_unique<ScriptedInput>();
    PadState fire;
    fire.buttons[0] = true;
    script->Append(fire);
    InputSystem input(std::move(script));
    input.Update();
    EXPECT_TRUE(input.GetState(0).buttons[0]);
    input.Update();  // the script has run out
    EXPECT_FALSE(input.GetState(0).buttons[0]);
    EXPECT_FLOAT_EQ(input.GetState(15).axisX, 0.0f);
}
