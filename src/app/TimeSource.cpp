#include "app/TimeSource.h"

#include <chrono>
#include <thread>

namespace {
using Clock = std::chrono::steady_clock;

int64_t Nanoseconds() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}
}  // namespace

bool SteadyTimeSource::QueryCounter(int64_t& now, int64_t& frequency) {
    now = Nanoseconds();
    frequency = 1'000'000'000;
    return true;
}

uint32_t SteadyTimeSource::TickCount() {
    return static_cast<uint32_t>(Nanoseconds() / 1'000'000);
}

void SteadyTimeSource::Sleep(double seconds) {
    if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}
