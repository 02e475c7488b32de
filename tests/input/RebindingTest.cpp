// Binding keys and pad buttons as the options screen does.
#include <gtest/gtest.h>

#include "input/Rebinding.h"
#include "input/platform/SdlKeyNames.h"

namespace {

std::string Keys(const KeyTable& table, KeyAction action) {
    return KeyListText(table, action, SdlKeyNames());
}

constexpr int kW = 26, kA = 4;

}  // namespace

TEST(BindKey, TheKeyReplacesTheActionsKeysAndMovesFromAnotherAction) {
    Rebound<KeyTable> bound = BindKey(DefaultKeys(), KeyAction::Up, kW, SdlKeyNames());
    EXPECT_EQ(bound.outcome, RebindOutcome::Bound);
    EXPECT_EQ(bound.message, "");
    EXPECT_EQ(Keys(bound.table, KeyAction::Up), "W");
    EXPECT_EQ(Keys(bound.table, KeyAction::Down), "Down");

    // X is hover's only key: fire cannot take it.
    Rebound<KeyTable> refused =
        BindKey(DefaultKeys(), KeyAction::Fire, scancode::kX, SdlKeyNames());
    EXPECT_EQ(refused.outcome, RebindOutcome::LastOne);
    EXPECT_TRUE(refused.Refused());
    EXPECT_EQ(refused.movedFrom, KeyAction::Hover);
    EXPECT_EQ(refused.message, "HOVER WOULD HAVE NO KEY");
    EXPECT_EQ(refused.table, DefaultKeys());

    // Space leaves fire, which keeps Z and Return.
    Rebound<KeyTable> moved =
        BindKey(DefaultKeys(), KeyAction::Hover, scancode::kSpace, SdlKeyNames());
    EXPECT_EQ(moved.outcome, RebindOutcome::Moved);
    EXPECT_EQ(moved.movedFrom, KeyAction::Fire);
    EXPECT_EQ(moved.message, "MOVED FROM FIRE");
    EXPECT_EQ(Keys(moved.table, KeyAction::Hover), "Space");
    EXPECT_EQ(Keys(moved.table, KeyAction::Fire), "Z, Return");
    // X, which hovered before, is free now and can go anywhere.
    Rebound<KeyTable> again = BindKey(moved.table, KeyAction::CatchUp, scancode::kX, SdlKeyNames());
    EXPECT_EQ(again.outcome, RebindOutcome::Bound);
    EXPECT_EQ(Keys(again.table, KeyAction::CatchUp), "X");

    // A key the action has already is no move.
    EXPECT_EQ(BindKey(DefaultKeys(), KeyAction::Fire, scancode::kZ, SdlKeyNames()).outcome,
              RebindOutcome::Bound);
}

TEST(BindKey, BindingEveryActionToOneKeyStopsAtTheFirstThatWouldBeLeftWithout) {
    KeyTable table = DefaultKeys();
    int refusals = 0;
    for (int a = 0; a < kKeyActionCount; ++a) {
        Rebound<KeyTable> r = BindKey(table, static_cast<KeyAction>(a), kA, SdlKeyNames());
        if (r.Refused()) {
            ++refusals;
            EXPECT_EQ(r.outcome, RebindOutcome::LastOne);
        }
        table = r.table;
        for (int b = 0; b < kKeyActionCount; ++b)
            EXPECT_NE(Keys(table, static_cast<KeyAction>(b)), "") << a << " left " << b << " bare";
    }
    EXPECT_EQ(refusals, kKeyActionCount - 1);
    EXPECT_EQ(Keys(table, KeyAction::Up), "A");
}

TEST(BindKey, TheGamesOwnKeysAndKeysWithoutANameAreRefused) {
    const std::pair<int, const char*> reserved[] = {
        {scancode::kEscape, "ESC IS FOR LEAVING"},
        {scancode::kF11, "F11 IS FOR FULL SCREEN"},
        {scancode::kLeftAlt, "ALT IS FOR FULL SCREEN"},
        {scancode::kRightAlt, "ALT IS FOR FULL SCREEN"},
    };
    for (auto [code, message] : reserved) {
        Rebound<KeyTable> r = BindKey(DefaultKeys(), KeyAction::Fire, code, SdlKeyNames());
        EXPECT_EQ(r.outcome, RebindOutcome::Reserved) << code;
        EXPECT_EQ(r.message, message);
        EXPECT_EQ(r.table, DefaultKeys());
    }
    // SDL has no name for scancode 0 nor for those past its table.
    for (int code : {0, 600}) {
        Rebound<KeyTable> r = BindKey(DefaultKeys(), KeyAction::Fire, code, SdlKeyNames());
        EXPECT_EQ(r.outcome, RebindOutcome::Unnamed) << code;
        EXPECT_EQ(r.message, "THAT KEY HAS NO NAME");
    }
    // Without a platform, keys are bound by their numbers just the same.
    EXPECT_EQ(BindKey(DefaultKeys(), KeyAction::Up, kW, NumberedKeyNames()).outcome,
              RebindOutcome::Bound);
    // The comma separates a list's keys, so it is written and read as "Comma".
    KeyTable comma = BindKey(DefaultKeys(), KeyAction::Fire, 54, SdlKeyNames()).table;
    EXPECT_EQ(Keys(comma, KeyAction::Fire), "Comma");
    EXPECT_EQ(ReadKeyList("comma, Keypad Comma, Z", SdlKeyNames()).scancodes,
              (std::vector<int>{54, 133, scancode::kZ}));
}

TEST(BindButton, ButtonsMoveAndAreRefusedLikeKeysAndTheDPadStaysForMoving) {
    using enum ControllerButton;
    Rebound<PadTable> moved = BindButton(DefaultPad(), kButtonFreeze, Start);
    EXPECT_EQ(moved.outcome, RebindOutcome::Moved);
    EXPECT_EQ(moved.message, "MOVED FROM PAUSE");
    EXPECT_EQ(ButtonListText(moved.table, kButtonFreeze), "Start");
    EXPECT_EQ(ButtonListText(moved.table, kButtonPause), "X");

    Rebound<PadTable> refused = BindButton(moved.table, kButtonFire, X);
    EXPECT_EQ(refused.message, "PAUSE WOULD HAVE NO BUTTON");
    EXPECT_EQ(refused.table, moved.table);

    EXPECT_EQ(BindButton(DefaultPad(), kButtonFire, DPadDown).outcome, RebindOutcome::MovesTheShip);
    EXPECT_EQ(BindButton(DefaultPad(), kButtonFire, DPadDown).message, "THE D-PAD MOVES THE SHIP");
    Rebound<PadTable> paddle = BindButton(DefaultPad(), kButtonCatchUp, Paddle2);
    EXPECT_EQ(paddle.outcome, RebindOutcome::Bound);
    EXPECT_EQ(ButtonListText(paddle.table, kButtonCatchUp), "Paddle2");
}
