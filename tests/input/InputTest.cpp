#include <gtest/gtest.h>

#include <vector>

#include "input/InputMapping.h"
#include "input/InputSystem.h"
#include "input/PadText.h"
#include "input/ScriptedInput.h"

namespace {
// The keyboard's state with the given scancodes held.
std::vector<uint8_t> Held(std::initializer_list<int> codes) {
    std::vector<uint8_t> held(512);
    for (int c : codes)
        held[c] = 1;
    return held;
}
}  // namespace

TEST(KeyboardMapping, TheDefaultTableFoldsKeysIntoButtonsAndDirections) {
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

TEST(PadMapping, TheStickPastItsDeadZoneTheDPadAndTheKeyboardAddUp) {
    PadReading stick;
    stick.x = 500;
    stick.y = -150;  // within the dead zone
    stick.buttons[2] = true;
    PadState pad;
    ApplyPad(stick, pad);
    EXPECT_TRUE(pad.right);
    EXPECT_FALSE(pad.left || pad.up || pad.down);
    EXPECT_TRUE(pad.buttons[2]);

    PadReading dpad;
    dpad.down = dpad.left = true;
    PadState moved;
    ApplyKeyboard(DefaultKeys(), Held({scancode::kLeft}), moved);
    ApplyPad(dpad, moved);
    EXPECT_TRUE(moved.down && moved.left);
    EXPECT_FALSE(moved.up || moved.right);
}

// A recording keeps a run per change of what is held: a stick that trembles
// while it stays pushed the same way changes nothing.
TEST(PadMapping, ATremblingStickMakesOneRunOfSteps) {
    std::vector<PadRun> runs;
    for (int x : {-700, -650, -990, -420, -1000}) {
        PadReading reading;
        reading.x = x;
        reading.y = x % 3 * 60;  // wanders inside the dead zone
        PadState pad;
        ApplyPad(reading, pad);
        AppendSteps(runs, pad);
    }
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].steps, 5);
    EXPECT_EQ(PadToText(runs[0].pad), "L");
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
