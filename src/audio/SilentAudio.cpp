#include "audio/SilentAudio.h"

int SilentAudio::Load(const std::string& path) {
    loaded.push_back(path);
    playCounts.push_back(0);
    return static_cast<int>(loaded.size());
}

void SilentAudio::Play(int sound) {
    if (sound < 1 || sound > static_cast<int>(playCounts.size())) return;
    ++playCounts[sound - 1];
}

int SilentAudio::PlayCount(int sound) const {
    if (sound < 1 || sound > static_cast<int>(playCounts.size())) return 0;
    return playCounts[sound - 1];
}
