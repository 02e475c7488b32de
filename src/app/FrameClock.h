#pragma once
#include <cstdint>

#include "app/TimeSource.h"

// Fixed-step timing: how many update steps the game is owed.
struct FrameClock {
    // Catching up plays at most this much missed time at once; what a stopped
    // process or a sleeping machine missed beyond it is dropped.
    static constexpr double kMostCaughtUpSeconds = 0.25;

    int64_t lastCounter = 0;
    uint32_t lastTickCount = 0;
    double accumulatedFrames = 0.0;
    double framesPerSecond = 60.0;
    bool catchUp = true;
    bool waitWhenInactive = true;

    // Takes a new time base without touching the steps owed.
    void Reset(TimeSource& time);
    // Adds the steps that elapsed since the last reading.
    void Advance(TimeSource& time);
    double SecondsUntilNextStep() const { return (1.0 - accumulatedFrames) / framesPerSecond; }
    // How long before the last reading the oldest step owed fell due.
    double SecondsOverdue() const { return (accumulatedFrames - 1.0) / framesPerSecond; }
    // The time since the last reading, read without counting it as owed.
    double SecondsSinceReading(TimeSource& time) const;
    // Drops the steps owed beyond kMostCaughtUpSeconds.
    void DropWhatCannotBeCaughtUp();
};
