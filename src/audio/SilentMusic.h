#pragma once
#include <string>
#include <vector>

#include "audio/MusicBackend.h"

// Plays nothing and remembers what it was asked. Every piece opens and, once
// running, runs until Finish() says it reached its end.
class SilentMusic : public MusicBackend {
public:
    bool Open(const std::string& path) override;
    void Play() override {
        ++plays;
        running = true;
    }
    void Pause() override {
        ++pauses;
        running = false;
    }
    void Stop() override {
        ++stops;
        running = false;
    }
    void SetPosition(double seconds) override;
    bool ReachedEnd() override { return ended; }
    void SetVolume(int value) override { levels.push_back(level = value); }
    void SetBalance(int value) override { balance = value; }

    // The current piece plays to its end.
    void Finish() { ended = true; }

    std::vector<std::string> opened;
    int plays = 0, pauses = 0, stops = 0;
    bool running = false;  // after the last Play, neither paused nor stopped
    double position = -1.0;
    int level = 0, balance = 0;
    std::vector<int> levels;  // every level set, in order

private:
    bool ended = false;
};
