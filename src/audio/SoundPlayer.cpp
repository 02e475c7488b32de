#include "audio/SoundPlayer.h"

#include <algorithm>

void SoundPlayer::Play(const SoundEffect& sound) {
    if (sound.Empty() || muted) return;
    if (oncePerFrame) {
        auto end = played.begin() + static_cast<std::ptrdiff_t>(playedCount);
        if (std::find(played.begin(), end, sound.Id()) != end) return;
        if (playedCount < played.size()) played[playedCount++] = sound.Id();
    }
    backend->Play(sound.Id());
}
