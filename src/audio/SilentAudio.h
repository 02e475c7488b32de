#pragma once
#include <vector>

#include "audio/AudioBackend.h"

// Plays nothing and remembers what it was asked: every file loads, and each
// sound counts its starts.
class SilentAudio : public AudioBackend {
public:
    int Load(const std::string& path) override;
    void Play(int sound) override;

    const std::vector<std::string>& Loaded() const { return loaded; }
    int PlayCount(int sound) const;

private:
    std::vector<std::string> loaded;
    std::vector<int> playCounts;
};
