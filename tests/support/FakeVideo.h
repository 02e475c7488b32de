#pragma once
#include <memory>

#include "graphics/NullBackend.h"
#include "video/VideoPlayer.h"

// A video whose position and stop time the test sets.
struct FakeVideo : VideoPlayer {
    void Run() override { ++runs; }
    void Stop() override { ++stops; }
    void Seek(double seconds) override { position = seconds; }
    double GetCurrentPosition() override { return position; }
    double GetStopTime() override { return stopTime; }
    const GpuTexture* GetTexture() const override { return texture.get(); }

    double position = 0.0, stopTime = 10.0;
    int runs = 0, stops = 0;
    std::unique_ptr<GpuTexture> texture = NullBackend().CreateTexture(4, 4, nullptr);
};
