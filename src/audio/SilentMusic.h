#pragma once
#include <string>
#include <vector>

#include "audio/MusicBackend.h"

// Plays nothing: every piece opens and counts as played to its end at once;
// the calls are remembered.
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
    void SetVolume(int value) override { levels.push_back(level = value); }

    std::vector<std::string> opened;
    int plays = 0, pauses = 0, stops = 0;
    double position = -1.0;
    int level = 0;
    std::vector<int> levels;  // every level set, in order
};
