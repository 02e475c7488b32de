// The pad's buttons as data, and key names without a platform.
#include <gtest/gtest.h>

#include "input/InputMapping.h"

TEST(PadTable, HeldButtonsPressTheActionsTheTableGivesThem) {
    auto Read = [](const PadTable& table, std::initializer_list<ControllerButton> held) {
        uint8_t buttons[kControllerButtonCount] = {};
        for (ControllerButton b : held)
            buttons[static_cast<int>(b)] = 1;
        PadReading reading;
        PressBoundButtons(table, buttons, reading);
        std::string pressed;
        for (int i = 0; i < kButtonCount; ++i)
            pressed += reading.buttons[i] ? '1' : '0';
        return pressed;
    };
    using enum ControllerButton;
    // As the pad always played: A fires, B hovers, X or Start pause, Y freezes, Back catches up.
    EXPECT_EQ(Read(DefaultPad(), {A}), "10000");
    EXPECT_EQ(Read(DefaultPad(), {B, Start}), "01100");
    EXPECT_EQ(Read(DefaultPad(), {X}), "00100");
    EXPECT_EQ(Read(DefaultPad(), {Y, Back}), "00011");
    EXPECT_EQ(Read(DefaultPad(), {Guide, LeftShoulder, DPadUp}), "00000");

    const ControllerButton shoulders[] = {LeftShoulder, RightShoulder};
    PadTable table = Rebind(DefaultPad(), kButtonFire, shoulders);
    EXPECT_EQ(Read(table, {A}), "00000");
    EXPECT_EQ(Read(table, {RightShoulder}), "10000");
    // A table from elsewhere never reads past the buttons there are.
    EXPECT_EQ(Read({{static_cast<ControllerButton>(40), kButtonFire}}, {}), "00000");
}

TEST(PadTable, ButtonNamesReadInAnyCaseAndWriteAsTheFileShowsThem) {
    for (int b = 0; b < kControllerButtonCount; ++b) {
        auto button = static_cast<ControllerButton>(b);
        std::string name(ButtonName(button));
        std::string lower;
        for (char c : name)
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        EXPECT_EQ(ButtonNamed(name), button);
        EXPECT_EQ(ButtonNamed(lower), button);
    }
    ButtonListReading reading = ReadButtonList(" a , Start,A,, DPadLeft, Select ");
    EXPECT_EQ(reading.buttons, (std::vector{ControllerButton::A, ControllerButton::Start}));
    EXPECT_EQ(reading.moving, std::vector<std::string>{"DPadLeft"});
    EXPECT_EQ(reading.unknown, std::vector<std::string>{"Select"});
    EXPECT_EQ(ButtonListText(DefaultPad(), kButtonPause), "X, Start");
}

TEST(NumberedKeyNames, KeysWithoutAPlatformAreNamedByTheirNumberBothWays) {
    KeyNames names = NumberedKeyNames();
    EXPECT_EQ(KeyListText(DefaultKeys(), KeyAction::Fire, names), "Key 29, Key 44, Key 40");
    KeyListReading reading = ReadKeyList("key 4, KEY 7, Key 4x, Key -3, Key 41, Z", names);
    EXPECT_EQ(reading.scancodes, (std::vector<int>{4, 7}));
    EXPECT_EQ(reading.unknown, (std::vector<std::string>{"Key 4x", "Key -3", "Z"}));
    EXPECT_EQ(reading.reserved, std::vector<std::string>{"Key 41"});  // Escape
}
