#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "support/TempDir.h"

#include "TestApp.h"

namespace {

struct FrameworkFixture : ::testing::Test {
    HeadlessWindow& Window() { return *platform.window; }
    NullBackend& Backend() { return *static_cast<NullBackend*>(platform.backend); }
    void Send(MessageId id, int param = 0) {
        AppFramework::FrameworkWindowProc(WindowMessage{id, param, Window().Id()});
    }

    HeadlessPlatform platform;
    TestApp app{platform};
};

}  // namespace

TEST_F(FrameworkFixture, ConstructionClearsToOpaqueBlackAndPresentsOnce) {
    EXPECT_EQ(Backend().LastClearColor(), 0xFF000000u);
    EXPECT_EQ(Backend().Count().presents, 1);
    EXPECT_EQ(app.GetGraphicsDevice().GetWidth(), 640);
    EXPECT_EQ(app.GetGraphicsDevice().GetHeight(), 480);
    EXPECT_EQ(app.GetGraphicsDevice().GetRefreshRate(), 60);
}

TEST_F(FrameworkFixture, EscClosesAtOnceWithoutConfirmation) {
    app.SetConfirmClose(false);
    Window().Post(WindowMessage{MessageId::Command, kCommandClose});
    EXPECT_EQ(app.Run(), 0);
    EXPECT_TRUE(Window().IsDestroyed());
    EXPECT_TRUE(platform.dialogs.Boxes().empty());
}

TEST_F(FrameworkFixture, ClosingWithConfirmationAsksAndCancelKeepsTheWindow) {
    platform.dialogs.QueueAnswer(DialogResult::Cancel);
    Send(MessageId::Close);
    ASSERT_EQ(platform.dialogs.Boxes().size(), 1u);
    const auto& box = platform.dialogs.Boxes()[0];
    EXPECT_EQ(box.text, "終了します？");
    EXPECT_EQ(box.caption, "終了");
    EXPECT_EQ(box.buttons, DialogButtons::OkCancel);
    EXPECT_FALSE(Window().IsDestroyed());
    EXPECT_EQ(Window().Pending(), 0u);

    Send(MessageId::Command, kCommandClose);  // Esc takes the same road; this time OK
    EXPECT_EQ(platform.dialogs.Boxes().size(), 2u);
    EXPECT_TRUE(Window().IsDestroyed());
    EXPECT_EQ(app.Run(), 0);  // Destroy posts Quit with code 0
}

TEST_F(FrameworkFixture, DoubleClickTogglesFullScreenAndBack) {
    GraphicsDevice& device = app.GetGraphicsDevice();
    Send(MessageId::NcLButtonDblClk);
    EXPECT_TRUE(device.IsFullScreen());
    EXPECT_TRUE(Backend().IsFullScreen());
    EXPECT_EQ(device.GetWidth(), 640);
    EXPECT_EQ(device.GetHeight(), 480);
    EXPECT_EQ(app.invalidates, 1);
    EXPECT_EQ(app.restores, 1);

    Send(MessageId::NcLButtonDblClk);
    EXPECT_FALSE(device.IsFullScreen());
    EXPECT_FALSE(Backend().IsFullScreen());
    EXPECT_EQ(device.GetWidth(), 640);
    EXPECT_EQ(device.GetHeight(), 480);
    EXPECT_EQ(Backend().Count().resets, 2);
}

TEST_F(FrameworkFixture, AltEnterAndF11SwitchFullScreenF1DoesNothing) {
    for (int command : {kCommandF1, kCommandShiftF1})
        Send(MessageId::Command, command);
    EXPECT_FALSE(app.GetGraphicsDevice().IsFullScreen());
    EXPECT_EQ(Backend().Count().resets, 0);
    Send(MessageId::Command, kCommandAltEnter);
    EXPECT_TRUE(app.GetGraphicsDevice().IsFullScreen());
    Send(MessageId::Command, kCommandF11);
    EXPECT_FALSE(app.GetGraphicsDevice().IsFullScreen());
    EXPECT_EQ(Backend().Count().resets, 2);
    EXPECT_FALSE(Window().IsDestroyed());
    EXPECT_TRUE(platform.dialogs.Boxes().empty());
}

TEST_F(FrameworkFixture, PaintDrawsAFrame) {
    Send(MessageId::Paint);
    EXPECT_EQ(app.renders, 1);
    EXPECT_EQ(Backend().Count().scenes, 1);
}

TEST_F(FrameworkFixture, MessagesForOtherWindowsReachNobody) {
    AppFramework::FrameworkWindowProc(WindowMessage{MessageId::Paint, 0, 999});
    EXPECT_EQ(app.renders, 0);
}

TEST_F(FrameworkFixture, ALostDeviceDrawsNothingAndAResetRestoresTheGame) {
    Backend().SetCooperativeLevel(CooperativeLevel::Lost);
    app.RenderFrame();
    EXPECT_EQ(app.renders, 0);
    Backend().SetCooperativeLevel(CooperativeLevel::NotReset);
    app.RenderFrame();
    EXPECT_EQ(app.renders, 0);
    EXPECT_EQ(app.invalidates, 1);
    EXPECT_EQ(app.restores, 1);
    EXPECT_EQ(Backend().Count().resets, 1);
    Backend().SetCooperativeLevel(CooperativeLevel::Ok);
    app.RenderFrame();
    EXPECT_EQ(app.renders, 1);
}

TEST_F(FrameworkFixture, LoneAltFlipsTheFirstSurfaceToTheFront) {
    ASSERT_EQ(Backend().Count().presents, 1);  // one present since creation
    Send(MessageId::SysCommand, kSysKeyMenu);
    EXPECT_EQ(Backend().Count().presents, 2);
    Send(MessageId::SysCommand, kSysKeyMenu);
    EXPECT_EQ(Backend().Count().presents, 2);
}

TEST(FrameworkIcon, UsesAaaIcoBesideTheProgramWhenThere) {
    TempDir temp("icon");
    std::filesystem::path dir = temp.Path() / "";
    {
        HeadlessPlatform::Options options;
        options.exeDir = dir.string();
        HeadlessPlatform platform(options);
        TestApp app(platform);
        EXPECT_EQ(platform.iconPath, "");
    }
    std::ofstream(dir / "aaa.ico") << "icon";
    HeadlessPlatform::Options options;
    options.exeDir = dir.string();
    HeadlessPlatform platform(options);
    TestApp app(platform);
    EXPECT_EQ(platform.iconPath, dir.string() + "aaa.ico");
    std::filesystem::remove_all(dir);
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
