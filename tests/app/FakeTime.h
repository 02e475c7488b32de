#pragma once
#include "app/TimeSource.h"

// A clock that moves only when told to, or when the loop sleeps.
class FakeTime : public TimeSource {
public:
    static constexpr int64_t kFrequency = 1'000'000;

    bool QueryCounter(int64_t& now, int64_t& frequency) override {
        Advance(advancePerReading);
        now = counter;
        frequency = kFrequency;
        return true;
    }
    uint32_t TickCount() override { return static_cast<uint32_t>(counter / 1000); }
    void Sleep(double seconds) override {
        lastSleep = seconds;
        ++sleeps;
        Advance(seconds);
    }
    void Advance(double seconds) { counter += static_cast<int64_t>(seconds * kFrequency); }
    // Moves the clock by a number of 1/60 s steps.
    void AdvanceSteps(double steps) { Advance(steps / 60.0); }

    double advancePerReading = 0;  // seconds a reading itself takes
    int64_t counter = 0;
    int sleeps = 0;
    double lastSleep = 0;
};
