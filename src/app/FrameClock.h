#pragma once
#include <cstdint>

#include "app/TimeSource.h"

// Fixed-step timing: how many update steps the game is owed.
struct FrameClock {
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
};
