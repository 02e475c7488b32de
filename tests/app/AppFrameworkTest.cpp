#include <gtest/gtest.h>

#include "TestApp.h"

namespace {

struct FrameworkFixture : ::testing::Test {
    NullBackend& Backend() { return *static_cast<NullBackend*>(platform.backend); }
    void Send(MessageId id, int param = 0) {
        AppFramework::FrameworkWindowProc(WindowMessage{id, param, platform.window->Id()});
    }

    HeadlessPlatform platform;
    TestApp app{platform};
};

}  // namespace

TEST_F(FrameworkFixture, AltEnterF11AndDoubleClickSwitchFullScreenAndRestoreTheDevice) {
    GraphicsDevice& device = app.GetGraphicsDevice();
    for (int command : {kCommandF1, kCommandShiftF1})
        Send(MessageId::Command, command);
    EXPECT_FALSE(device.IsFullScreen());
    EXPECT_EQ(Backend().Count().resets, 0);
    int switches = 0;
    for (auto [id, param] : {std::pair{MessageId::Command, int{kCommandAltEnter}},
                             {MessageId::Command, int{kCommandF11}},
                             {MessageId::NcLButtonDblClk, 0},
                             {MessageId::NcLButtonDblClk, 0}}) {
        Send(id, param);
        ++switches;
        EXPECT_EQ(device.IsFullScreen(), switches % 2 == 1) << switches;
        EXPECT_EQ(Backend().IsFullScreen(), switches % 2 == 1) << switches;
        // The back buffer keeps its size; the device's objects come back after the reset.
        EXPECT_EQ(device.GetWidth(), 640);
        EXPECT_EQ(device.GetHeight(), 480);
        EXPECT_EQ(Backend().Count().resets, switches);
        EXPECT_EQ(app.restores, switches);
    }
    EXPECT_EQ(app.invalidates, switches);
    EXPECT_FALSE(platform.window->IsDestroyed());
}

TEST_F(FrameworkFixture, PaintDrawsAFrameOfItsOwnWindowOnly) {
    AppFramework::FrameworkWindowProc(WindowMessage{MessageId::Paint, 0, 999});
    EXPECT_EQ(app.renders, 0);
    Send(MessageId::Paint);
    EXPECT_EQ(app.renders, 1);
    EXPECT_EQ(Backend().Count().scenes, 1);
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

namespace {
class BrokenBackend : public NullBackend {
public:
    bool CreateDevice(const PresentParameters&) override { return false; }
};
}  // namespace

TEST(FrameworkStartup, NoDeviceShowsTheMessageAndFails) {
    HeadlessPlatform::Options options;
    options.makeBackend = [] { return std::make_unique<BrokenBackend>(); };
    HeadlessPlatform platform(options);
    EXPECT_THROW(TestApp app(platform), StartupError);
    // The window's messages no longer lead to the object that never was.
    WindowMessage paint{MessageId::Paint, 0, platform.windowId};
    EXPECT_EQ(AppFramework::FrameworkWindowProc(paint), AppFramework::DefaultWindowProc(paint));
    ASSERT_EQ(platform.dialogs.Boxes().size(), 1u);
    EXPECT_EQ(platform.dialogs.Boxes()[0].text, "このプログラムにはOpenGL 3.3以上が必要です。");
    EXPECT_EQ(platform.dialogs.Boxes()[0].caption, "Velmora");
}
