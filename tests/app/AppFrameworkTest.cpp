#include <gtest/gtest.h>

#include "TestApp.h"

namespace {

constexpr int kScancodeF1 = 58, kScancodePageDown = 78;
constexpr int kPadButtonB = 1, kPadButtonStart = 6;

struct FrameworkFixture : ::testing::Test {
    NullBackend& Backend() { return *static_cast<NullBackend*>(platform.backend); }
    void Post(ShellEventKind kind, int code = 0) { platform.window->Post({kind, code}); }

    HeadlessPlatform platform;
    TestApp app{platform};
};

}  // namespace

TEST_F(FrameworkFixture, ToggleFullScreenSwitchesTheModeAndRestoresTheDevice) {
    GraphicsDevice& device = app.GetGraphicsDevice();
    app.HandleEvent({ShellEventKind::KeyPressed, kScancodeF1});
    EXPECT_FALSE(device.IsFullScreen());
    EXPECT_EQ(Backend().Count().resets, 0);
    for (int switches = 1; switches <= 4; ++switches) {
        app.HandleEvent({ShellEventKind::ToggleFullScreen});
        EXPECT_EQ(device.IsFullScreen(), switches % 2 == 1) << switches;
        EXPECT_EQ(Backend().IsFullScreen(), switches % 2 == 1) << switches;
        // The back buffer keeps its size; the device's objects come back after the reset.
        EXPECT_EQ(device.GetWidth(), 640);
        EXPECT_EQ(device.GetHeight(), 480);
        EXPECT_EQ(Backend().Count().resets, switches);
        EXPECT_EQ(app.restores, switches);
        EXPECT_EQ(app.invalidates, switches);
    }
    EXPECT_FALSE(platform.window->IsHidden());
}

TEST_F(FrameworkFixture, RepaintAndResizeEachDrawAFrame) {
    app.HandleEvent({ShellEventKind::Repaint});
    EXPECT_EQ(app.renders, 1);
    app.HandleEvent({ShellEventKind::Resized});
    EXPECT_EQ(app.renders, 2);
    EXPECT_EQ(Backend().Count().scenes, 2);
    EXPECT_EQ(app.updates, 0);
}

// The OpenGL back end reports a reset context as lost.
TEST_F(FrameworkFixture, ALostDeviceDrawsNothingUntilItIsBack) {
    Backend().SetCooperativeLevel(CooperativeLevel::Lost);
    app.RenderFrame();
    EXPECT_EQ(app.renders, 0);
    Backend().SetCooperativeLevel(CooperativeLevel::Ok);
    app.RenderFrame();
    EXPECT_EQ(app.renders, 1);
}

TEST(Framework, EscAndQuitCloseTheWindowAndEndTheLoopWithZero) {
    for (ShellEventKind kind : {ShellEventKind::Escape, ShellEventKind::Quit}) {
        HeadlessPlatform fresh;
        TestApp closing(fresh);
        closing.onUpdate = [&] { closing.EndRun(7); };  // a loop that goes on ends with 7
        fresh.window->Post({kind});
        EXPECT_EQ(closing.Run(), 0);
        EXPECT_EQ(closing.updates, 0);
        EXPECT_TRUE(fresh.window->IsHidden());
    }
}

TEST_F(FrameworkFixture, KeysButtonsAndAnEscTheGameTakesReachItsHooksAndTheLoopGoesOn) {
    app.escapeCloses = false;
    Post(ShellEventKind::Escape);
    Post(ShellEventKind::KeyPressed, kScancodePageDown);
    Post(ShellEventKind::PadButtonPressed, kPadButtonB);
    Post(ShellEventKind::KeyPressed, kScancodeF1);
    Post(ShellEventKind::PadButtonPressed, kPadButtonStart);
    app.onUpdate = [&] { app.EndRun(3); };
    EXPECT_EQ(app.Run(), 3);
    EXPECT_EQ(app.escapes, 1);
    EXPECT_EQ(app.keys, (std::vector<int>{kScancodePageDown, kScancodeF1}));
    EXPECT_EQ(app.buttons, (std::vector<int>{kPadButtonB, kPadButtonStart}));
    EXPECT_EQ(app.updates, 1);  // every event came before the step
    EXPECT_FALSE(platform.window->IsHidden());
}

TEST_F(FrameworkFixture, TheFirstEndDecidesTheStatusAndANewRunStartsAfresh) {
    // A step a turn: caught up, a slow turn (a busy machine) would owe two.
    app.Clock().catchUp = false;
    app.onUpdate = [&] {
        app.EndRun(1);
        app.EndRun(0);
    };
    EXPECT_EQ(app.Run(), 1);
    EXPECT_FALSE(app.ExitStatus());
    app.onUpdate = [&] { app.EndRun(2); };
    EXPECT_EQ(app.Run(), 2);
    EXPECT_EQ(app.updates, 2);
}

TEST_F(FrameworkFixture, WithoutTheFocusTheLoopOnlyWaitsForEvents) {
    Post(ShellEventKind::FocusLost);
    Post(ShellEventKind::Repaint);
    Post(ShellEventKind::FocusGained);
    app.Clock().catchUp = false;  // as the game runs: a step every turn
    int rendersBeforeTheStep = -1;
    app.onUpdate = [&] {
        rendersBeforeTheStep = app.renders;
        app.EndRun(0);
    };
    EXPECT_EQ(app.Run(), 0);
    EXPECT_EQ(app.updates, 1);
    EXPECT_EQ(rendersBeforeTheStep, 1);  // the repaint came while it waited

    // Without waiting while in the background, the game goes on.
    HeadlessPlatform running;
    TestApp app2(running);
    app2.Clock().waitWhenInactive = false;
    running.window->Post({ShellEventKind::FocusLost});
    app2.onUpdate = [&] { app2.EndRun(4); };
    EXPECT_EQ(app2.Run(), 4);
}
