// The SDL input source with virtual controllers, on a real window that has the focus.
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/platform/SdlPlatform.h"
#include "app/platform/SdlWindow.h"
#include "input/platform/SdlInputSource.h"

namespace {

struct DisplayInput : ::testing::Test {
    void SetUp() override {
        if (!platform.Error().empty()) GTEST_SKIP() << "no display: " << platform.Error();
        window = platform.CreateWindow("Velmora", 640, 480, "");
        ASSERT_NE(window, nullptr);
        SDL_Window* handle = static_cast<SdlWindow&>(*window).Handle();
        for (int i = 0; i < 100 && SDL_GetKeyboardFocus() != handle; ++i) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
        if (SDL_GetKeyboardFocus() != handle) GTEST_SKIP() << "the window never got the focus";
        source = std::make_unique<SdlInputSource>(handle);
    }
    void TearDown() override {
        for (SDL_Joystick* j : opened)
            SDL_JoystickClose(j);
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
        }
        source.reset();
    }
    // A virtual pad with two axes and four buttons; the test's own handle to move it.
    SDL_Joystick* Plug() {
        int index = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, 2, 4, 0);
        SDL_Joystick* j = SDL_JoystickOpen(index);
        opened.push_back(j);
        return j;
    }
    PadRecords Read() {
        PadRecords pads{};
        source->Fill(pads);
        return pads;
    }

    SdlPlatform platform;
    std::unique_ptr<Window> window;
    std::unique_ptr<SdlInputSource> source;
    std::vector<SDL_Joystick*> opened;
};

}  // namespace

TEST_F(DisplayInput, EachControllerFillsItsOwnRecordInAttachOrder) {
    SDL_Joystick* first = Plug();
    SDL_Joystick* second = Plug();
    SDL_JoystickSetVirtualAxis(second, 0, 16384);  // half way right
    SDL_JoystickSetVirtualButton(second, 0, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(first, 1, -32768);  // fully up
    PadRecords pads = Read();
    EXPECT_TRUE(pads[0].up);
    EXPECT_FLOAT_EQ(pads[0].axisY, -1.0f);
    EXPECT_FALSE(pads[0].right || pads[0].buttons[0]);
    EXPECT_TRUE(pads[1].right);
    EXPECT_NEAR(pads[1].axisX, 0.5f, 0.01f);
    EXPECT_TRUE(pads[1].buttons[0]);
    EXPECT_FALSE(pads[2].buttons[0]);
}

TEST_F(DisplayInput, AControllerPluggedInDuringPlayIsPickedUp) {
    Read();
    SDL_Joystick* late = Plug();
    SDL_JoystickSetVirtualButton(late, 3, SDL_PRESSED);
    EXPECT_TRUE(Read()[0].buttons[3]);
}

TEST_F(DisplayInput, ControllersBeyondSixteenAreNotRead) {
    for (int i = 0; i < 17; ++i)
        SDL_JoystickSetVirtualButton(Plug(), 1, SDL_PRESSED);
    PadRecords pads = Read();
    for (int i = 0; i < kPadRecordCount; ++i)
        EXPECT_TRUE(pads[i].buttons[1]) << "record " << i;
}

TEST_F(DisplayInput, NothingIsReadWithoutTheKeyboardFocus) {
    SDL_JoystickSetVirtualButton(Plug(), 0, SDL_PRESSED);
    SDL_Window* other = SDL_CreateWindow("other", 700, 0, 100, 100, SDL_WINDOW_SHOWN);
    SDL_RaiseWindow(other);
    SDL_SetWindowInputFocus(other);
    for (int i = 0; i < 100 && SDL_GetKeyboardFocus() != other; ++i) {
        SDL_PumpEvents();
        SDL_Delay(10);
    }
    if (SDL_GetKeyboardFocus() != other) {
        SDL_DestroyWindow(other);
        GTEST_SKIP() << "the focus could not be moved to another window here";
    }
    EXPECT_FALSE(Read()[0].buttons[0]);
    SDL_DestroyWindow(other);
}
