#include "video/SimulatedVideo.h"

#include <algorithm>

void SimulatedVideo::Run() {
    ++runs;
    clock.Run(now());
}

void SimulatedVideo::Stop() {
    ++stops;
    clock.Stop(now());
}

void SimulatedVideo::Seek(double seconds) {
    ++seeks;
    clock.Seek(std::clamp(seconds, 0.0, length), now());
}

double SimulatedVideo::GetCurrentPosition() {
    // Like a real clip, the position stops at the end.
    return std::min(clock.Position(now()), length);
}
