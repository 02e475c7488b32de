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
    // As the pad always played: A fires, B hovers, X or Start pause, Y freezes, Back catches
    // up; and the right shoulder focuses.
    EXPECT_EQ(Read(DefaultPad(), {A}), "100000");
    EXPECT_EQ(Read(DefaultPad(), {B, Start}), "011000");
    EXPECT_EQ(Read(DefaultPad(), {X}), "001000");
    EXPECT_EQ(Read(DefaultPad(), {Y, Back}), "000110");
    EXPECT_EQ(Read(DefaultPad(), {RightShoulder}), "000001");
    EXPECT_EQ(Read(DefaultPad(), {Guide, LeftShoulder, DPadUp}), "000000");

    const ControllerButton others[] = {LeftShoulder, Paddle1};
    PadTable table = Rebind(DefaultPad(), kButtonFire, others);
    EXPECT_EQ(Read(table, {A}), "000000");
    EXPECT_EQ(Read(table, {Paddle1}), "100000");
    // A table from elsewhere never reads past the buttons there are.
    EXPECT_EQ(Read({{static_cast<ControllerButton>(40), kButtonFire}}, {}), "000000");
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
