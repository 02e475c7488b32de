#pragma once
#include <string>
#include <vector>

#include "audio/MusicBackend.h"

// No piece is ever loaded, so the music always counts as complete; the calls
// are remembered.
class SilentMusic : public MusicBackend {
public:
    bool Open(const std::string& path) override {
        opened.push_back(path);
        return true;
    }
    bool IsComplete() override { return true; }
    void SetPosition(double seconds) override { position = seconds; }
    void Play() override { ++plays; }
    void Pause() override { ++pauses; }
    void Stop() override { ++stops; }
    void SetVolume(int value) override { level = value; }

    std::vector<std::string> opened;
    int plays = 0, pauses = 0, stops = 0;
    double position = -1.0;
    int level = 0;
};
