#pragma once
#include "video/VideoPlayer.h"

// No video: no texture, both positions 0; the calls are remembered.
class NoVideo : public VideoPlayer {
public:
    void Run() override { ++runs; }
    void Stop() override { ++stops; }
    void Seek(double seconds) override { lastSeek = seconds; }
    double GetCurrentPosition() override { return 0.0; }
    double GetStopTime() override { return 0.0; }
    const GpuTexture* GetTexture() const override { return nullptr; }

    int runs = 0, stops = 0;
    double lastSeek = -1.0;
};
