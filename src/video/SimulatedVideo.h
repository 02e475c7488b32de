#pragma once
// A video without pictures for headless runs: a clip of a given length whose
// position runs on the clock it is given, so the loop and restarts behave as
// with a real file. Remembers what it was asked.
#include <functional>

#include "video/PlaybackClock.h"
#include "video/VideoPlayer.h"

class SimulatedVideo : public VideoPlayer {
public:
    // now: seconds on any steady clock.
    SimulatedVideo(std::function<double()> now, double length)
        : now(std::move(now)), length(length) {}

    void Run() override;
    void Stop() override;
    void Seek(double seconds) override;
    double GetCurrentPosition() override;
    double GetStopTime() override { return length; }
    const GpuTexture* GetTexture() const override { return nullptr; }

    bool IsRunning() const { return clock.Running(); }
    int runs = 0, stops = 0, seeks = 0;

private:
    std::function<double()> now;
    double length;
    PlaybackClock clock;
};
