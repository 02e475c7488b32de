// The main loop's pacing: by the display, or by the clock, with or without
// catching up the steps a slow frame owes.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "FakeTime.h"
#include "TestApp.h"
#include "app/PresentBeat.h"
#include "graphics/NullBackend.h"

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
// When each frame was shown, over this many frames, drawing taking as long as
// `drawing` says for each (cycling), with presents that wait for no display.
std::vector<double> ShownAt(LoopFixture& loop, std::vector<double> drawing, int frames) {
    loop.Make(0, true);
    loop.time.advancePerReading = 0.00001;  // so the loop's last short waits end
    size_t next = 0;
    loop.app.onRender = [&] {
        loop.time.Advance(drawing[next]);
        next = (next + 1) % drawing.size();
    };
    std::vector<double> shown;
    while (static_cast<int>(shown.size()) < frames) {
        int renders = loop.app.renders;
        loop.app.IdleTurn();
        // Present is the last thing a turn does.
        if (loop.app.renders > renders)
            shown.push_back(static_cast<double>(loop.time.counter) / FakeTime::kFrequency);
    }
    return shown;
}
}  // namespace

TEST_F(LoopFixture, UnpacedFramesAreShownOnTheStepsBeatHoweverLongEachTookToDraw) {
    std::vector<double> shown = ShownAt(*this, {0.002, 0.009, 0.005, 0.011, 0.003}, 60);
    // Once the slowest has been seen, every frame follows the last by one step.
    for (size_t i = 6; i < shown.size(); ++i)
        EXPECT_NEAR(shown[i] - shown[i - 1], 1.0 / 60, 0.0001) << "frame " << i;
    // Each is shown when the slowest would have been ready, not a whole step late.
    double dueFirst = 1.0 / 60 * std::floor(shown[10] * 60);
    EXPECT_NEAR(shown[10] - dueFirst, 0.011 + PresentBeat::kMarginSeconds, 0.0002);
    auto& counts = static_cast<NullBackend*>(platform.backend)->Count();
    EXPECT_EQ(counts.composes, counts.presents - 1);  // all but the window's first picture
}

TEST_F(LoopFixture, AFrameSlowerThanTheBeatIsShownAsSoonAsItIsDrawn) {
    std::vector<double> shown = ShownAt(*this, {0.004, 0.004, 0.004, 0.016}, 40);
    // The beat stops at most of a step; a frame slower than that is shown when
    // done, not held back a step more.
    const double beat = PresentBeat::kMostOfAStep / 60;
    for (size_t i = 4; i < shown.size(); ++i) {
        double late = shown[i] - std::floor(shown[i] * 60) / 60;
        EXPECT_NEAR(late, i % 4 == 3 ? 0.016 : beat, 0.0002) << "frame " << i;
    }
}

TEST(PresentBeat, WaitsAsLongAsTheSlowestRecentFrameAndForgetsItTwoSecondsOn) {
    PresentBeat beat;
    const double step = 1.0 / 60;
    EXPECT_DOUBLE_EQ(beat.Delay(step), PresentBeat::kMarginSeconds);
    beat.NoteDrawn(0.012);
    for (int i = 1; i < PresentBeat::kFramesRemembered; ++i) {
        beat.NoteDrawn(0.004);
        EXPECT_DOUBLE_EQ(beat.Delay(step), 0.012 + PresentBeat::kMarginSeconds) << i;
    }
    beat.NoteDrawn(0.004);
    EXPECT_DOUBLE_EQ(beat.Delay(step), 0.004 + PresentBeat::kMarginSeconds);
    // Never later than most of a step, however slow the drawing.
    beat.NoteDrawn(0.5);
    EXPECT_DOUBLE_EQ(beat.Delay(step), PresentBeat::kMostOfAStep * step);
}

TEST_F(LoopFixture, PresentsPacedByADisplayAreNotHeldBack) {
    for (int hz : {60, 75}) {
        Make(hz, true);
        int sleeps = time.sleeps;
        EXPECT_EQ(Turn(1.5), std::pair(1, 1)) << hz << " Hz";
        EXPECT_EQ(time.sleeps, sleeps) << hz << " Hz";
    }
    EXPECT_EQ(static_cast<NullBackend*>(platform.backend)->Count().composes, 0);
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
