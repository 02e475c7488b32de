#include "app/FrameClock.h"

#include <algorithm>

void FrameClock::Reset(TimeSource& time) {
    int64_t now = 0, frequency = 0;
    if (time.QueryCounter(now, frequency)) {
        lastCounter = now;
    } else {
        lastTickCount = time.TickCount();
    }
}

void FrameClock::Advance(TimeSource& time) {
    int64_t now = 0, frequency = 0;
    if (time.QueryCounter(now, frequency) && frequency > 0) {
        accumulatedFrames += static_cast<double>(now - lastCounter) * framesPerSecond /
                             static_cast<double>(frequency);
        lastCounter = now;
    } else {
        uint32_t ticks = time.TickCount();
        uint32_t elapsed = ticks - lastTickCount;  // unsigned: survives the wrap
        accumulatedFrames += static_cast<double>(elapsed) * framesPerSecond / 1000.0;
        lastTickCount = ticks;
    }
}

double FrameClock::SecondsSinceReading(TimeSource& time) const {
    int64_t now = 0, frequency = 0;
    if (time.QueryCounter(now, frequency) && frequency > 0)
        return static_cast<double>(now - lastCounter) / static_cast<double>(frequency);
    return static_cast<double>(time.TickCount() - lastTickCount) / 1000.0;
}

void FrameClock::DropWhatCannotBeCaughtUp() {
    accumulatedFrames = std::min(accumulatedFrames, kMostCaughtUpSeconds * framesPerSecond);
}
