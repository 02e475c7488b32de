// The SDL input source with virtual controllers, on a real window that has the focus.
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/platform/SdlPlatform.h"
#include "app/platform/SdlWindow.h"
#include "input/PadTable.h"
#include "input/platform/SdlInputSource.h"
#include "support/MustHave.h"

namespace {

struct DisplayInput : ::testing::Test {
    void SetUp() override {
        if (!platform.Error().empty()) {
            VELMORA_MISSING("no display: " << platform.Error());
        }
        window = platform.CreateWindow("Velmora", 640, 480, "");
        ASSERT_NE(window, nullptr);
        SDL_Window* handle = static_cast<SdlWindow&>(*window).Handle();
        for (int i = 0; i < 100 && SDL_GetKeyboardFocus() != handle; ++i) {
            SDL_PumpEvents();
            SDL_Delay(10);
        }
        if (SDL_GetKeyboardFocus() != handle) GTEST_SKIP() << "the window never got the focus";
        source = std::make_unique<SdlInputSource>(handle, DefaultKeys(), DefaultPad());
    }
    void TearDown() override {
        for (SDL_Joystick* j : opened)
            SDL_JoystickClose(j);
        for (int i = SDL_NumJoysticks() - 1; i >= 0; --i) {
            if (SDL_JoystickIsVirtual(i)) SDL_JoystickDetachVirtual(i);
        }
        source.reset();
    }
    // A virtual controller whose buttons are numbered as SDL's controller
    // buttons; the test's own handle to move it.
    SDL_Joystick* Plug() {
        SDL_VirtualJoystickDesc desc{};
        desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = 2;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
        desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_LEFTX) | (1u << SDL_CONTROLLER_AXIS_LEFTY);
        int index = SDL_JoystickAttachVirtualEx(&desc);
        SDL_Joystick* j = SDL_JoystickOpen(index);
        opened.push_back(j);
        return j;
    }
    PadState Read() {
        PadState pad;
        source->Fill(pad);
        return pad;
    }

    SdlPlatform platform;
    std::unique_ptr<Window> window;
    std::unique_ptr<SdlInputSource> source;
    std::vector<SDL_Joystick*> opened;
};

}  // namespace

TEST_F(DisplayInput, TheFirstControllersStickDPadAndButtonsAreRead) {
    SDL_Joystick* first = Plug();
    SDL_Joystick* second = Plug();
    SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, 16384);  // half way right
    SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_START, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(second, SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
    PadState pad = Read();
    EXPECT_TRUE(pad.right && pad.up);
    EXPECT_TRUE(pad.Held(kButtonPause));  // Start pauses, as C does
    EXPECT_FALSE(pad.Held(kButtonFire));  // the second controller is not read

    SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_START, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_DPAD_UP, SDL_RELEASED);
    SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_DPAD_LEFT, SDL_PRESSED);
    SDL_JoystickSetVirtualButton(first, SDL_CONTROLLER_BUTTON_BACK, SDL_PRESSED);
    SDL_JoystickSetVirtualAxis(first, SDL_CONTROLLER_AXIS_LEFTX, 0);
    pad = Read();
    EXPECT_TRUE(pad.left && !pad.right && !pad.up && !pad.Held(kButtonPause));
    EXPECT_TRUE(pad.Held(kButtonCatchUp));
}

TEST_F(DisplayInput, AControllerPluggedInDuringPlayIsPickedUp) {
    Read();
    SDL_Joystick* late = Plug();
    SDL_JoystickSetVirtualButton(late, SDL_CONTROLLER_BUTTON_Y, SDL_PRESSED);
    EXPECT_TRUE(Read().Held(kButtonFreeze));
}

TEST_F(DisplayInput, NothingIsReadWithoutTheKeyboardFocus) {
    SDL_JoystickSetVirtualButton(Plug(), SDL_CONTROLLER_BUTTON_A, SDL_PRESSED);
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
    EXPECT_FALSE(Read().Held(kButtonFire));
    SDL_DestroyWindow(other);
}

TEST_F(DisplayInput, ThePlatformsSourceTakesNewButtonsWhileItRuns) {
    std::unique_ptr<InputSource> own = platform.CreateInputSource(*window);
    auto read = [&own] {
        PadState pad;
        own->Fill(pad);
        return pad;
    };
    SDL_JoystickSetVirtualButton(Plug(), SDL_CONTROLLER_BUTTON_Y, SDL_PRESSED);
    EXPECT_TRUE(read().Held(kButtonFreeze));

    const ControllerButton y[] = {ControllerButton::Y},
                           shoulder[] = {ControllerButton::LeftShoulder};
    Settings settings;
    settings.pad = Rebind(Rebind(DefaultPad(), kButtonFire, y), kButtonFreeze, shoulder);
    platform.ApplySettings(settings);
    PadState pad = read();
    EXPECT_TRUE(pad.Held(kButtonFire));
    EXPECT_FALSE(pad.Held(kButtonFreeze));

    own.reset();
    platform.ApplySettings(Settings{});  // the source is gone: nothing to reach
}
