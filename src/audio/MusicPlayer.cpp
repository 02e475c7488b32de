#include "audio/MusicPlayer.h"

#include <algorithm>
#include <cmath>

void MusicPlayer::Stop() {
    backend->Stop();
    backend->SetPosition(0.0);
}

int MusicPlayer::VolumeLevel(float volume) {
    // The factor is 1000, not the 2000 of an amplitude ratio: half the volume is
    // only 3 dB down, so a fade stays audible until its last steps. Single
    // precision throughout, so 0.1 gives exactly -1000.
    float v = std::clamp(volume, 0.0f, 1.0f);
    if (v == 0.0f) return -10000;
    float level = std::trunc(1000.0f * std::log10(v));
    return static_cast<int>(std::clamp(level, -10000.0f, 0.0f));
}
