#include <gtest/gtest.h>

#include "FakeTime.h"
#include "TestApp.h"

namespace {

struct LoopFixture : ::testing::Test {
    LoopFixture() { platform.timeOverride = &time; }
    void Make(int refreshRate, bool catchUp) {
        static_cast<NullBackend*>(platform.backend)->SetRefreshRate(refreshRate);
        app.Clock().catchUp = catchUp;
        app.ResetClock();
    }
    NullBackend& Backend() { return *static_cast<NullBackend*>(platform.backend); }

    FakeTime time;
    HeadlessPlatform platform;
    TestApp app{platform};
};

}  // namespace

TEST_F(LoopFixture, PacedByTheDisplayEveryTurnUpdatesAndDrawsOnce) {
    Make(60, false);
    for (double owed : {0.0, 0.2, 5.0}) {
        time.AdvanceSteps(owed);
        int updates = app.updates, renders = app.renders;
        app.IdleTurn();
        EXPECT_EQ(app.updates - updates, 1) << "owed " << owed;
        EXPECT_EQ(app.renders - renders, 1) << "owed " << owed;
        EXPECT_EQ(app.Clock().accumulatedFrames, 0.0);
    }
    EXPECT_EQ(time.sleeps, 0);
}

TEST_F(LoopFixture, PacedByTheClockWaitsForAWholeStepThenDropsTheRest) {
    for (int hz : {0, 75}) {
        Make(hz, false);
        app.Clock().accumulatedFrames = 0.0;
        time.AdvanceSteps(0.5);
        int updates = app.updates, renders = app.renders;
        app.IdleTurn();
        EXPECT_EQ(app.updates, updates) << hz << " Hz";
        EXPECT_EQ(app.renders, renders) << hz << " Hz";
        // It sleeps until shortly before the step is due instead of spinning.
        EXPECT_GT(time.lastSleep, 0.4 / 60.0);
        EXPECT_LT(time.lastSleep, 0.5 / 60.0);

        app.Clock().accumulatedFrames = 0.0;
        app.ResetClock();
        time.AdvanceSteps(1.3);
        app.IdleTurn();
        EXPECT_EQ(app.updates - updates, 1) << hz << " Hz";
        EXPECT_EQ(app.renders - renders, 1) << hz << " Hz";
        EXPECT_EQ(app.Clock().accumulatedFrames, 0.0);
    }
}

TEST_F(LoopFixture, CatchUpRunsEveryOwedStepAndDrawsOnce) {
    Make(0, true);
    time.AdvanceSteps(2.5);
    app.IdleTurn();
    EXPECT_EQ(app.updates, 2);
    EXPECT_EQ(app.renders, 1);
    EXPECT_NEAR(app.Clock().accumulatedFrames, 0.5, 1e-3);
}

TEST_F(LoopFixture, CatchUpPacedByTheDisplayMayRunNoStep) {
    Make(60, true);
    time.AdvanceSteps(0.5);
    app.IdleTurn();
    EXPECT_EQ(app.updates, 0);
    EXPECT_EQ(app.renders, 1);
}

TEST(FrameClock, TickCountFallbackSurvivesTheWrap) {
    FakeTime time;
    time.hasCounter = false;
    time.ticks = 0xFFFFFFF0u;
    FrameClock clock;
    clock.Reset(time);
    EXPECT_EQ(clock.lastTickCount, 0xFFFFFFF0u);
    time.ticks = 0x10u;  // 32 ms later, past the wrap
    clock.Advance(time);
    EXPECT_NEAR(clock.accumulatedFrames, 32 * 60 / 1000.0, 1e-9);
    EXPECT_EQ(clock.lastTickCount, 0x10u);
}

TEST(FrameClock, ResetKeepsTheStepsOwed) {
    FakeTime time;
    FrameClock clock;
    clock.Reset(time);
    time.AdvanceSteps(3);
    clock.Advance(time);
    time.AdvanceSteps(100);
    clock.Reset(time);
    EXPECT_NEAR(clock.accumulatedFrames, 3.0, 1e-6);
    clock.Advance(time);
    EXPECT_NEAR(clock.accumulatedFrames, 3.0, 1e-6);
}

namespace {
// A window in the background whose every wait takes ten seconds.
class BackgroundWindow : public HeadlessWindow {
public:
    explicit BackgroundWindow(FakeTime& time) : time(time) { SetForeground(false); }
    void WaitMessage(WindowMessage& msg) override {
        time.Advance(10.0);
        HeadlessWindow::WaitMessage(msg);
        SetForeground(true);  // the user comes back
    }
    FakeTime& time;
};

class BackgroundPlatform : public HeadlessPlatform {
public:
    BackgroundPlatform() {
        timeOverride = &time;
        time.advancePerReading = 0.0001;
    }
    std::unique_ptr<Window> CreateWindow(const std::string&, int, int,
                                         const std::string&) override {
        auto w = std::make_unique<BackgroundWindow>(time);
        window = w.get();
        return w;
    }
    FakeTime time;
};
}  // namespace

TEST(MainLoop, TimeInTheBackgroundIsNotOwed) {
    BackgroundPlatform platform;
    TestApp app(platform);
    static_cast<NullBackend*>(platform.backend)->SetRefreshRate(0);
    app.Clock().catchUp = true;
    app.onUpdate = [&] { platform.window->PostQuitMessage(0); };
    platform.window->Post(WindowMessage{MessageId::Paint});
    EXPECT_EQ(app.Run(), 0);
    // Ten seconds passed in the background: one step follows, not six hundred.
    EXPECT_EQ(app.updates, 1);
    EXPECT_EQ(app.restores, 1);
}
