// The main loop's pacing: by the display, or by the clock, with or without
// catching up the steps a slow frame owes.
#include <gtest/gtest.h>

#include "FakeTime.h"
#include "TestApp.h"

namespace {

struct LoopFixture : ::testing::Test {
    LoopFixture() { platform.timeOverride = &time; }
    void Make(int refreshRate, bool catchUp) {
        static_cast<NullBackend*>(platform.backend)->SetRefreshRate(refreshRate);
        app.Clock().catchUp = catchUp;
        app.Clock().accumulatedFrames = 0.0;
        app.ResetClock();
    }
    // What one turn of the loop did after `owed` steps of time: updates, renders.
    std::pair<int, int> Turn(double owed) {
        time.AdvanceSteps(owed);
        int updates = app.updates, renders = app.renders;
        app.IdleTurn();
        return {app.updates - updates, app.renders - renders};
    }

    FakeTime time;
    HeadlessPlatform platform;
    TestApp app{platform};
};

}  // namespace

TEST_F(LoopFixture, PacedByTheDisplayEveryTurnUpdatesAndDrawsOnce) {
    Make(60, false);
    for (double owed : {0.0, 0.2, 5.0}) {
        EXPECT_EQ(Turn(owed), std::pair(1, 1)) << "owed " << owed;
        EXPECT_EQ(app.Clock().accumulatedFrames, 0.0);
    }
    EXPECT_EQ(time.sleeps, 0);
}

TEST_F(LoopFixture, PacedByTheClockWaitsForAWholeStepThenDropsTheRest) {
    for (int hz : {0, 75}) {
        Make(hz, false);
        EXPECT_EQ(Turn(0.5), std::pair(0, 0)) << hz << " Hz";
        // It sleeps until shortly before the step is due instead of spinning.
        EXPECT_GT(time.lastSleep, 0.4 / 60.0);
        EXPECT_LT(time.lastSleep, 0.5 / 60.0);

        Make(hz, false);
        EXPECT_EQ(Turn(1.3), std::pair(1, 1)) << hz << " Hz";
        EXPECT_EQ(app.Clock().accumulatedFrames, 0.0);
    }
}

TEST_F(LoopFixture, CatchUpRunsEveryOwedStepAndDrawsOnce) {
    Make(0, true);
    EXPECT_EQ(Turn(2.5), std::pair(2, 1));
    EXPECT_NEAR(app.Clock().accumulatedFrames, 0.5, 1e-3);
    Make(60, true);  // paced by the display, a turn may owe no step yet
    EXPECT_EQ(Turn(0.5), std::pair(0, 1));
}

TEST_F(LoopFixture, CatchUpPlaysAtMostAQuarterOfASecondAndDropsTheRest) {
    for (int hz : {0, 60}) {
        Make(hz, true);
        // Thirty seconds stopped (SIGSTOP, a sleeping laptop): 15 steps, not 1,800.
        EXPECT_EQ(Turn(1800.0), std::pair(15, 1)) << hz << " Hz";
        EXPECT_EQ(app.Clock().accumulatedFrames, 0.0);
        // A hitch shorter than that is caught up whole, as before.
        Make(hz, true);
        EXPECT_EQ(Turn(14.5), std::pair(14, 1)) << hz << " Hz";
        EXPECT_NEAR(app.Clock().accumulatedFrames, 0.5, 1e-3);
    }
    // Without catch-up one step follows whatever was missed.
    Make(0, false);
    EXPECT_EQ(Turn(1800.0), std::pair(1, 1));
}

namespace {
// A window in the background until the user comes back, ten seconds later.
class BackgroundWindow : public HeadlessWindow {
public:
    explicit BackgroundWindow(FakeTime& time) : HeadlessWindow(false), time(time) {}
    ShellEvent WaitEvent() override {
        time.Advance(10.0);
        return {ShellEventKind::FocusGained};
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
    app.onUpdate = [&] { app.EndRun(0); };
    platform.window->Post({ShellEventKind::Repaint});
    EXPECT_EQ(app.Run(), 0);
    // Ten seconds passed in the background: one step follows, not six hundred.
    EXPECT_EQ(app.updates, 1);
    EXPECT_EQ(app.restores, 1);
}
