#pragma once
#include <cstdint>

// The main loop's clock: a high-resolution counter with a millisecond tick
// count as the fallback, and a way to wait.
class TimeSource {
public:
    virtual ~TimeSource() = default;
    // False when there is no high-resolution counter.
    virtual bool QueryCounter(int64_t& now, int64_t& frequency) = 0;
    // Milliseconds; wraps after 2^32.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(double seconds) = 0;
};

class SteadyTimeSource : public TimeSource {
public:
    bool QueryCounter(int64_t& now, int64_t& frequency) override;
    uint32_t TickCount() override;
    void Sleep(double seconds) override;
};
