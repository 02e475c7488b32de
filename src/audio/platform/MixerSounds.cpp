#include "audio/platform/MixerSounds.h"

#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "audio/WavCheck.h"
#include "util/AssetPath.h"
#include "util/FileData.h"

namespace {
// Enough for a busy field without growing; growing is cheap anyway.
constexpr int kFirstChannels = 32;
}  // namespace

MixerSounds::MixerSounds(std::shared_ptr<Mixer> mixer)
    : mixer(std::move(mixer)), chunkVolume(MIX_MAX_VOLUME) {
    if (this->mixer->IsOpen()) Mix_AllocateChannels(kFirstChannels);
}

MixerSounds::~MixerSounds() {
    if (!mixer->IsOpen()) return;
    // A chunk must not be freed while a channel still plays it.
    Mix_HaltChannel(-1);
    for (Mix_Chunk* chunk : chunks)
        Mix_FreeChunk(chunk);
}

namespace {
// The game's effects last a second or two; a file this big is not one of them.
constexpr std::size_t kMaxSoundBytes = 64 << 20;
}  // namespace

int MixerSounds::Load(const std::string& path) {
    if (!mixer->IsOpen()) return 0;
    std::string bytes, problem;
    if (ReadFileLimited(ResolveAssetPath(path), kMaxSoundBytes, bytes, problem))
        problem = CheckSoundWav(bytes);
    Mix_Chunk* chunk = nullptr;
    if (problem.empty()) {
        chunk = Mix_LoadWAV_RW(SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size())), 1);
        if (!chunk) problem = Mix_GetError();
    }
    if (!chunk) {
        std::fprintf(stderr, "velmora: %s: %s; that sound stays silent\n", path.c_str(),
                     problem.c_str());
        return 0;
    }
    // The mixer converts into a buffer sized for its widest intermediate format
    // (for a mono file, several times the sound) and keeps all of it.
    if (chunk->allocated && chunk->alen > 0) {
        if (auto* fitted = static_cast<Uint8*>(SDL_realloc(chunk->abuf, chunk->alen)))
            chunk->abuf = fitted;
    }
    Mix_VolumeChunk(chunk, chunkVolume);
    chunks.push_back(chunk);
    return static_cast<int>(chunks.size());
}

void MixerSounds::SetGain(float amplitude) {
    chunkVolume = static_cast<int>(std::lround(std::clamp(amplitude, 0.0f, 1.0f) * MIX_MAX_VOLUME));
    for (Mix_Chunk* chunk : chunks)
        Mix_VolumeChunk(chunk, chunkVolume);
}

void MixerSounds::Play(int sound) {
    if (sound < 1 || sound > static_cast<int>(chunks.size())) return;
    Mix_Chunk* chunk = chunks[sound - 1];
    if (Mix_PlayChannel(-1, chunk, 0) != -1) return;
    // Every channel is busy. Growing keeps what plays; only shrinking would cut it.
    Mix_AllocateChannels(2 * Mix_AllocateChannels(-1));
    Mix_PlayChannel(-1, chunk, 0);
}
